// The start-up floor: a bare Qt window of the main window's client size that quits as soon as
// it has been painted once, the way the program does under SITEWRIGHT_QUIT_AFTER_FIRST_PAINT.
// With --text it also shows one line of text, which brings in the font system: the part of
// start-up that any window with text pays.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace
{

class BareWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setFixedSize(538, 338);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Sitewright"), &window))->move(16, 16);
    window.show();
    return app.exec();
}
