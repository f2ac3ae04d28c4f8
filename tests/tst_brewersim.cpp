#include "BrewerSimulator.h"
#include "DataRow.h"
#include "SettingsFrame.h"
#include "WindowUnderTest.h"

#include <QComboBox>
#include <QTextStream>

class TestBrewerSim : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void malformedFramesAreFlaggedNotAnswered_data();
    void malformedFramesAreFlaggedNotAnswered();
    void recordsOnCommand_data();
    void recordsOnCommand();
    void windowSendsAndReadsBack();

private:
    QString m_printed;
    QTextStream m_out{&m_printed};
    std::unique_ptr<BrewerSimulator> m_brewer;
    SerialLink m_link;
};

void TestBrewerSim::init()
{
    m_printed.clear();
    m_brewer = std::make_unique<BrewerSimulator>(m_out);
    QVERIFY2(m_brewer->start(), qPrintable(m_brewer->errorString()));
    m_link.setDeviceName(m_brewer->devicePath());
    QVERIFY(m_link.open());
}

void TestBrewerSim::cleanup()
{
    m_link.close();
    m_brewer.reset();
}

void TestBrewerSim::malformedFramesAreFlaggedNotAnswered_data()
{
    addColumns<QByteArray, QString>("bytes", "flagged");
    const QByteArray frame = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";
    addRow("lower-case digit", QByteArray(frame).replace(5, 1, "a"), "byte 6 is \"a\"");
    addRow("cut short", frame.left(50), "cut short after 50 bytes");
}

// The brewer flags a malformed frame and goes on listening: the good frame
// that follows is the only one answered.
void TestBrewerSim::malformedFramesAreFlaggedNotAnswered()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, flagged);

    QVERIFY(m_link.write(bytes) && m_link.drainOutput());
    QTRY_VERIFY_WITH_TIMEOUT(m_printed.contains(flagged), 5000);
    QVERIFY(m_printed.contains("Malformed frame"));
    SettingsTable table;
    table.FillDefaults();
    QVERIFY(m_link.write(buildSettingsFrame(table, "").bytes) && m_link.drainOutput());
    QTRY_COMPARE(m_link.waitingCount(), ReplyLength);
    QCOMPARE(m_printed.count("Sent "), 1);
}

void TestBrewerSim::recordsOnCommand_data()
{
    addColumns<QString, int, bool>("command", "length", "good");
    addRow("record", "r", 39, true);
    addRow("bad header", "b", 39, false);
    addRow("short", "s", 20, false);
    addRow("long", "l", 50, true);
}

void TestBrewerSim::recordsOnCommand()
{
    QFETCH(QString, command);
    QFETCH(int, length);
    QFETCH(bool, good);

    QVERIFY(m_brewer->command(command));
    QTRY_COMPARE(m_link.waitingCount(), length);
    const auto report = decodeReply(replyPieces(replyDump(m_link.takeInput())));
    QCOMPARE(report.has_value(), good);
    QVERIFY(!good || *report == m_brewer->held());
    QVERIFY(!m_brewer->command("q"));
}

// What a user does on a fresh machine: connect the window to the simulator,
// edit, send, read back what the brewer now holds.
void TestBrewerSim::windowSendsAndReadsBack()
{
    m_link.close();
    WindowUnderTest w;
    w.child<QComboBox>("Combo1")->setEditText(m_brewer->devicePath());
    w.click("connect");
    w.click("default2");
    w.set({"Text1=10", "Text13=500", "Text17=97.8", "Text19=80", "Textsend=Fresh Brew"});
    w.click("Command4");
    w.click("Command1");
    QTRY_VERIFY(m_printed.contains("Sent reply record"));
    for (const char *line : {"Logo:          \"Fresh Brew\"", "Left Button:    pulse  10 102 102",
                             "Center 500, Right 0", "Right yes (01)", "Calibration:    97.8"})
        QVERIFY2(m_printed.contains(QLatin1String(line)), qPrintable(m_printed));

    w.click("Command2");
    QCOMPARE(w.notices.texts().last(), "Receive Data Successful! ");
    const QStringList shown = {"Text1=10",   "Text21=5",    "Text29=64", "Text10=1234",
                               "Text12=500", "Text16=97.8", "Text19=80"};
    QCOMPARE(w.observed(shown), shown);
}

QTEST_MAIN(TestBrewerSim)
#include "tst_brewersim.moc"
