// The faces the program asks for are the ones the machine resolves: a missing face would fall
// back silently to another, which no other test notices.
#include <QFontInfo>
#include <QTest>

#include "widgets/ui_fonts.h"

class UiFontsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolvedFace_data();
    void resolvedFace();
};

void UiFontsTest::resolvedFace_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("weight");
    QTest::newRow("title band: a true Black") << ui::BandFont(21) << "Lato" << int(QFont::Black);
    QTest::newRow("dialog") << ui::DialogFont(11) << "Liberation Sans" << int(QFont::Normal);
    QTest::newRow("dialog bold") << ui::DialogFont(13, true) << "Liberation Sans"
                                 << int(QFont::Bold);
}

void UiFontsTest::resolvedFace()
{
    QFETCH(QFont, font);
    QFETCH(QString, family);
    QFETCH(int, weight);
    const QFontInfo info(font);
    QCOMPARE(info.family(), family);
    QCOMPARE(int(info.weight()), weight);
    QCOMPARE(info.style(), QFont::StyleNormal);
}

QTEST_MAIN(UiFontsTest)

#include "ui_fonts_test.moc"
