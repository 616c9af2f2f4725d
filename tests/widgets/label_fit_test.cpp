// A label fitted to its text gets the size adjustSize() gives it, in every case the program's
// labels meet and in those it passes on to adjustSize().
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "widgets/label_fit.h"
#include "widgets/ui_fonts.h"

using Setup = std::function<void(QLabel&)>;
Q_DECLARE_METATYPE(Setup)

class LabelFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizeIsAdjustSizes_data();
    void sizeIsAdjustSizes();
};

void LabelFitTest::sizeIsAdjustSizes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<Setup>("setup");
    const Setup none = [](QLabel&) {};
    const QFont menu = ui::DialogFont(13);
    QTest::newRow("menu line") << "Break Frames" << menu << none;
    QTest::newRow("kerned pairs") << "AVATAR Toy Wave" << menu << none;
    QTest::newRow("title") << "Bookmark Us!" << ui::DialogFont(13, true) << none;
    QTest::newRow("underlined") << "All Browsers" << ui::DialogFont(11, false, true) << none;
    QTest::newRow("blank title") << " " << menu << none;
    QTest::newRow("empty") << "" << menu << none;
    QTest::newRow("right to left") << QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD") << menu << none;
    QTest::newRow("centred band") << "Sitewright" << ui::BandFont(21)
                                  << Setup([](QLabel& l) { l.setAlignment(Qt::AlignCenter); });
    QTest::newRow("contents margins")
        << "Width:" << menu << Setup([](QLabel& l) { l.setContentsMargins(2, 1, 4, 3); });
    QTest::newRow("minimum height")
        << "Height:" << menu << Setup([](QLabel& l) { l.setMinimumHeight(40); });
    // Passed on to adjustSize().
    QTest::newRow("access key") << "&Width:" << menu
                                << Setup([](QLabel& l) { l.setBuddy(new QLineEdit(&l)); });
    QTest::newRow("frame") << "Width:" << menu
                           << Setup([](QLabel& l) { l.setFrameStyle(QFrame::Box); });
    QTest::newRow("margin") << "Width:" << menu << Setup([](QLabel& l) { l.setMargin(3); });
    QTest::newRow("indent") << "Width:" << menu << Setup([](QLabel& l) { l.setIndent(5); });
    QTest::newRow("minimum width")
        << "Width:" << menu << Setup([](QLabel& l) { l.setMinimumWidth(300); });
    QTest::newRow("word wrap") << "Allow your visitors to email the current page" << menu
                               << Setup([](QLabel& l) { l.setWordWrap(true); });
}

void LabelFitTest::sizeIsAdjustSizes()
{
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(Setup, setup);
    QWidget parent;
    QLabel* labels[2] = {new QLabel(&parent), new QLabel(&parent)};
    for (QLabel* label : labels) {
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setFont(font);
        setup(*label);
    }
    FitLabelToText(*labels[0]);
    labels[1]->adjustSize();
    QCOMPARE(labels[0]->size(), labels[1]->size());
}

QTEST_MAIN(LabelFitTest)
#include "label_fit_test.moc"
