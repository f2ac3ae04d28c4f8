// Faults found by fuzzing and by the random-use test, each case named after
// what it protects.
#include "DataRow.h"
#include "FrameGrammar.h"
#include "SettingsFrame.h"

#include <QTest>

class TestRegressions : public QObject
{
    Q_OBJECT

private slots:
    void logoOnTheWireIsPrintableAscii_data();
    void logoOnTheWireIsPrintableAscii();
};

// A logo loaded from a damaged file can hold any byte but a line end.
void TestRegressions::logoOnTheWireIsPrintableAscii_data()
{
    QTest::addColumn<QString>("logo");
    QTest::addColumn<bool>("sent");

    addRow("control character", QStringLiteral("Hot\x01"), false);
    addRow("tab", QStringLiteral("Hot\tCoffee"), false);
    addRow("delete", QStringLiteral("\x7f"), false);
    addRow("Latin-1 letter", QString::fromLatin1("Caf\xe9"), false);
    addRow("punctuation is printable", QStringLiteral("Joe's #1 ~$&)"), true);
    addRow("too long to be sent at all", QString::fromLatin1("\x01\xe9 more than sixteen"), true);
}

void TestRegressions::logoOnTheWireIsPrintableAscii()
{
    QFETCH(QString, logo);
    QFETCH(bool, sent);

    SettingsTable table;
    table.FillDefaults();
    const SettingsFrame frame = buildSettingsFrame(table, logo);
    QCOMPARE(frame.refusal.isEmpty(), sent);
    if (sent)
        QCOMPARE(frameProblem(frame.bytes, table, logo), QString());
    else
        QVERIFY2(frame.refusal.contains("cannot show"), qPrintable(frame.refusal));
}

QTEST_APPLESS_MAIN(TestRegressions)
#include "tst_regressions.moc"
