// The floors of the start-up and click figures: a bare Qt window of the main window's client size
// that quits as soon as it has been painted once, the way the program does under
// SITEWRIGHT_QUIT_AFTER_FIRST_PAINT. With --text it also shows one line of text, which brings in
// the font system: the part of start-up that any window with text pays. With --page-text it
// shows, with plain labels, every text the main window shows at start (menu lines, band title,
// page 1's title, browser label, description and button captions, the edition box's caption and
// the link line) in the same faces, sizes, weights and smoothing: the least any window drawing
// those pixels can cost.
//
// With --click-window or --click-page it instead clicks, once painted and then idle as long as the
// program is before its own click (SITEWRIGHT_BENCH_IDLE_MS, 500 by default), a label whose click
// shows an already built widget, and prints the milliseconds from the click to the end of that
// widget's first paint: for --click-window a hidden window of the code window's size holding a text
// box, for --click-page a hidden frame of a page's size holding a line of text. Showing what is
// already built is the least a click that brings up a window or a page can cost.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/window_geometry.h"
#include "generators/gadget_table.h"
#include "widgets/ui_fonts.h"

namespace
{

int GadgetCount()
{
    return static_cast<int>(gen::GadgetTable().size());
}

// Quits, or starts the click, once the first paint has been handled.
class BareWindow : public QWidget
{
public:
    std::function<void()> afterFirstPaint = [] { QApplication::quit(); };

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, afterFirstPaint);
        }
    }

private:
    bool painted_ = false;
};

// Prints the time since `clock` started once `target` has been painted, and quits.
class PaintStopwatch : public QObject
{
public:
    PaintStopwatch(QWidget* target, const QElapsedTimer& clock) : QObject(target), clock_(clock)
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [clock = clock_] {
                std::printf("%.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    QElapsedTimer clock_;
};

int IdleMilliseconds()
{
    bool valid = false;
    const int ms = qEnvironmentVariableIntValue("SITEWRIGHT_BENCH_IDLE_MS", &valid);
    return valid && ms >= 0 ? ms : 500;
}

void Click(QWidget& widget)
{
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    const QPointF global = widget.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

// A label that shows `target` when it is clicked.
class ShowingLabel : public QLabel
{
public:
    ShowingLabel(const QString& text, QWidget* parent, QWidget* target)
        : QLabel(text, parent), target_(target)
    {
    }

protected:
    void mouseReleaseEvent(QMouseEvent*) override { target_->show(); }

private:
    QWidget* target_;
};

QWidget* BuildHiddenWindow()
{
    auto* window = new QWidget(nullptr, Qt::Window);
    window->resize(497, 402);
    auto* text = new QPlainTextEdit(window);
    text->setGeometry(8, 8, 481, 345);
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(1);
    QString code = QString::fromStdString(gadget->generate(gen::DefaultValues(*gadget)).TextForm());
    text->setPlainText(code.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    return window;
}

QWidget* BuildHiddenPage(QWidget* parent)
{
    auto* page = new QWidget(parent);
    page->setGeometry(window_geometry::PageArea(GadgetCount()));
    (new QLabel(QStringLiteral("Sitewright"), page))->move(16, 16);
    page->hide();
    return page;
}

QLabel* PlaceText(QWidget* parent, const char* text, const QFont& font, const QRect& place)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

// The texts of the main window at start, each at its place on screen.
void AddPageText(QWidget& window)
{
    window.setFont(ui::DialogFont(11));
    const int menuTop = window_geometry::MenuPanel(GadgetCount()).top();
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        PlaceText(&window, std::string(gadget.menuCaption).c_str(), ui::DialogFont(13),
                  {16, menuTop + window_geometry::MenuLineY(gadget.page - 1), 140, 16});
    PlaceText(&window, "Sitewright", ui::BandFont(21), {16, 2, 505, 30})
        ->setAlignment(Qt::AlignCenter);
    PlaceText(&window, std::string(gen::GadgetOfPage(1)->title).c_str(), ui::DialogFont(13, true),
              {176, 44, 98, 16});
    PlaceText(&window, "All Browsers", ui::DialogFont(11, false, true), {456, 46, 57, 13});
    PlaceText(&window,
              "If a visitor comes to your site and is looking through frames, this script will "
              "automatically make the page 'break out' of frames.",
              ui::DialogFont(13), {184, 68, 345, 49})
        ->setWordWrap(true);
    QFont unsmoothed = ui::DialogFont(11);
    unsmoothed.setStyleStrategy(QFont::NoAntialias);
    PlaceText(&window, "Preview", unsmoothed, {206, 218, 60, 13});
    PlaceText(&window, "Generate Code", unsmoothed, {450, 218, 80, 13});
    PlaceText(&window, "Today's edition", ui::DialogFont(11), {304, 221, 138, 17});
    PlaceText(&window, "Visit my website", ui::DialogFont(11),
              window_geometry::LinkLine(GadgetCount()))
        ->setAlignment(Qt::AlignCenter);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "";
    BareWindow window;
    window.setFixedSize(window_geometry::WindowSize(GadgetCount()));
    if (std::strcmp(mode, "--text") == 0)
        (new QLabel(QStringLiteral("Sitewright"), &window))->move(16, 16);
    if (std::strcmp(mode, "--page-text") == 0)
        AddPageText(window);
    std::unique_ptr<QWidget> hiddenWindow;
    if (std::strcmp(mode, "--click-window") == 0 || std::strcmp(mode, "--click-page") == 0) {
        QWidget* target = nullptr;
        if (std::strcmp(mode, "--click-window") == 0) {
            hiddenWindow.reset(BuildHiddenWindow());
            target = hiddenWindow.get();
        } else {
            target = BuildHiddenPage(&window);
        }
        auto* trigger = new ShowingLabel(QStringLiteral("Sitewright"), &window, target);
        trigger->move(16, 16);
        window.afterFirstPaint = [trigger, target] {
            // Idle as long as the program is before its click.
            QTimer::singleShot(IdleMilliseconds(), qApp, [trigger, target] {
                QElapsedTimer clock;
                clock.start();
                Click(*trigger);
                new PaintStopwatch(target, clock);
            });
        };
    }
    window.show();
    return app.exec();
}
