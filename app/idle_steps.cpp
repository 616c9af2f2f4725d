#include "app/idle_steps.h"

#include <QFrame>
#include <QImage>

#include "app/code_window.h"
#include "app/main_window.h"

namespace
{

// Paints `widget` into a scratch image, so that what its first paint on screen needs (polished
// styles, laid out texts, rendered glyphs) is ready by then. Nothing on screen changes.
void Rehearse(QWidget& widget)
{
    QImage scratch(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&scratch);
}

// Paints the code window holding page 1's code, the likeliest first Generate Code, so that its
// glyphs are rendered by then, and empties it again: the code is no user's yet. A window already
// in use is left alone.
void RehearseCodeWindow(MainWindow& mainWindow)
{
    CodeWindow& window = mainWindow.codeWindow();
    if (window.isVisible() || !window.lines().empty())
        return;
    mainWindow.generatePageCode(1);
    Rehearse(window);
    window.clearCode();
}

} // namespace

std::vector<IdleBuilder::Step> MainWindowIdleSteps(MainWindow& mainWindow)
{
    std::vector<IdleBuilder::Step> steps;
    steps.push_back([&mainWindow] { mainWindow.codeWindow(); });
    steps.push_back([&mainWindow] { mainWindow.codeWindow().createNativeWindow(); });
    steps.push_back([&mainWindow] { RehearseCodeWindow(mainWindow); });
    for (int page = 1; page <= mainWindow.pageCount(); ++page) {
        steps.push_back([&mainWindow, page] { mainWindow.ensurePageBuilt(page); });
        steps.push_back([&mainWindow, page] { Rehearse(*mainWindow.pagePanel(page)); });
    }
    return steps;
}
