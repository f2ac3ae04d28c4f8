#include "BrewerSimulator.h"
#include "Form1.h"
#include "NoticeCatcher.h"
#include "SerialLink.h"
#include "SettingsFrame.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("flagged");

    QByteArray frame = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";
    QTest::newRow("lower-case digit") << QByteArray(frame).replace(5, 1, "a") << "byte 6 is \"a\"";
    QTest::newRow("logo without its end") << "$$" + QByteArray(20, 'A') << "byte 19 is \"A\"";
    QTest::newRow("cut short") << frame.left(50) << "cut short after 50 bytes";
}

void TestBrewerSim::malformedFramesAreFlaggedNotAnswered()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, flagged);

    QVERIFY(m_link.write(bytes) && m_link.drainOutput());
    QTRY_VERIFY_WITH_TIMEOUT(m_printed.contains(flagged), 5000);
    QVERIFY(m_printed.contains("Malformed frame"));
    QTest::qWait(100);
    QCOMPARE(m_link.takeInput(), QByteArray());

    // The brewer is still listening: a good frame afterwards is answered.
    SettingsTable table;
    table.FillDefaults();
    QVERIFY(m_link.write(buildSettingsFrame(table, "").bytes) && m_link.drainOutput());
    QTRY_COMPARE(m_link.waitingCount(), ReplyLength);
}

void TestBrewerSim::recordsOnCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("good");

    QTest::newRow("record") << "r" << 39 << true;
    QTest::newRow("bad header") << "b" << 39 << false;
    QTest::newRow("short") << "s" << 20 << false;
    QTest::newRow("long") << "l" << 50 << true;
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
    if (good)
        QCOMPARE(*report, m_brewer->held());
    QVERIFY(!m_brewer->command("q"));
}

// What a user does on a fresh machine: connect the window to the simulator,
// edit, send, read back what the brewer now holds.
void TestBrewerSim::windowSendsAndReadsBack()
{
    m_link.close();
    Form1 form;
    form.show();
    NoticeCatcher notices;
    form.findChild<QComboBox *>("Combo1")->setEditText(m_brewer->devicePath());
    QTest::mouseClick(form.findChild<QPushButton *>("connect"), Qt::LeftButton);
    QCOMPARE(notices.texts(), QStringList{"COM Connect Successful "});

    const auto field = [&form](const char *name) { return form.findChild<QLineEdit *>(name); };
    QTest::mouseClick(form.findChild<QPushButton *>("default2"), Qt::LeftButton);
    field("Text1")->setText("10");
    field("Text13")->setText("500");
    field("Text17")->setText("97.8");
    field("Text19")->setText("80");
    field("Textsend")->setText("Fresh Brew");
    QTest::mouseClick(form.findChild<QPushButton *>("Command4"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTRY_VERIFY(m_printed.contains("Sent reply record"));
    for (const char *line :
         {"Logo:          \"Fresh Brew\"", "Left Button:    pulse  10 102 102", "volume 64 oz",
          "Count to write: Left 0, Center 500, Right 0", "Right yes (01)", "Calibration:    97.8",
          "Pump speed:     80 %", "Drip time:      0 s"})
        QVERIFY2(m_printed.contains(QLatin1String(line)), qPrintable(m_printed));
    QVERIFY(!m_printed.contains("Malformed"));

    QTest::mouseClick(form.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(notices.texts(), (QStringList{"COM Connect Successful ", "Send Data Successful!",
                                           "Receive Data Successful! "}));
    QCOMPARE(field("Text1")->text(), "10");
    QCOMPARE(field("Text21")->text(), "5");
    QCOMPARE(field("Text22")->text(), "0");
    QCOMPARE(field("Text29")->text(), "64");
    QCOMPARE(field("Text10")->text(), "1234");
    QCOMPARE(field("Text12")->text(), "500");
    QCOMPARE(field("Text16")->text(), "97.8");
    QCOMPARE(field("Text19")->text(), "80");
    QCOMPARE(field("Text20")->text(), "90");
}

QTEST_MAIN(TestBrewerSim)
#include "tst_brewersim.moc"
