#include "app/idle_steps.h"

#include <QFrame>
#include <QImage>
#include <QLineEdit>

#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/page_focus.h"
#include "widgets/prepared_frame_style.h"
#include "widgets/prepared_label.h"

namespace
{

// Paints `widget` into a scratch image, so that what its first paint on screen needs (polished
// styles, laid out texts, rendered glyphs) is ready by then. Nothing on screen changes.
void Rehearse(QWidget& widget)
{
    QImage scratch(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&scratch);
}

// Paints the code window holding page 1's code, the likeliest first Generate Code, and keeps
// that text laid out for it while the window counts as empty: glyphs are kept per position, so
// only the same text laid out the same way readies them. A window already in use is left alone.
void RehearseCodeWindow()
{
    TForm4& window = CodeWindow();
    if (window.isVisible() || !window.Lines().empty())
        return;
    GenPage(1);
    window.KeepAsPrepared();
    Rehearse(window);
    window.KeepScrollBars();
}

// Lays out and draws the page's texts and its edge ahead, so that showing the page copies them,
// and selects its first field's text as the click would.
// The shown page keeps its style: a new one would paint it again for nothing.
void PreparePaint(QWidget& page)
{
    PreparedFrameStyle* style = PreparedFrameStyle::Instance();
    if (style && page.style() != style && page.isHidden())
        page.setStyle(style);
    for (PreparedLabel* label : page.findChildren<PreparedLabel*>())
        label->Prepare();
    // Showing the page gives its first field the focus, which selects the field's whole text
    // unless it is selected already; selected now, its text is not laid out again on the click.
    if (auto* first = qobject_cast<QLineEdit*>(FirstInTabOrder(&page)); first && page.isHidden())
        first->selectAll();
}

} // namespace

std::vector<IdleBuilder::Step> MainWindowIdleSteps(TForm2& form)
{
    std::vector<IdleBuilder::Step> steps;
    steps.push_back([] { CodeWindow(); });
    steps.push_back([] { CodeWindow().CreateNativeWindow(); });
    steps.push_back(RehearseCodeWindow);
    // Every page change paints the edition choice that stands over the pages.
    steps.push_back([&form] { form.chkTodaysEdition->Prepare(); });
    for (int page = 1; page <= form.PageCount(); ++page) {
        steps.push_back([&form, page] { form.EnsurePageBuilt(page); });
        steps.push_back([&form, page] { PreparePaint(*form.Page(page)); });
        steps.push_back([&form, page] {
            const PreparedFrameStyle::Preparing preparing;
            Rehearse(*form.Page(page));
        });
    }
    return steps;
}
