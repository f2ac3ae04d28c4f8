// peln-cli run as a process, as a script runs it: its output and exit status
// on real files, send and read against the simulated brewer, and its
// agreement with the window on the same files.
#include "BrewerSimulator.h"
#include "DataRow.h"
#include "PseudoTerminal.h"
#include "SettingNames.h"
#include "SettingsFileAccess.h"
#include "WindowUnderTest.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void setShowDiffFrame();
    void refusals_data();
    void refusals();
    void agreesWithTheWindow_data();
    void agreesWithTheWindow();
    void sendAndRead_data();
    void sendAndRead();

private:
    // Starts peln-cli in the test's folder; finish() waits for it, running
    // the event loop, and returns its exit status.
    void start(const QStringList &args);
    int finish();
    int run(const QStringList &args)
    {
        start(args);
        return finish();
    }
    QString file(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_cli;
    QString m_out, m_err;
};

void TestCli::start(const QStringList &args)
{
    m_cli.setWorkingDirectory(m_dir->path());
    m_cli.start(PELN_CLI, args);
    QVERIFY(m_cli.waitForStarted());
}

int TestCli::finish()
{
    [&] { QTRY_VERIFY_WITH_TIMEOUT(m_cli.state() == QProcess::NotRunning, 30000); }();
    m_out = QString::fromUtf8(m_cli.readAllStandardOutput());
    m_err = QString::fromUtf8(m_cli.readAllStandardError());
    return m_cli.exitStatus() == QProcess::NormalExit ? m_cli.exitCode() : -1;
}

// A file made by set, shown, compared with another and turned into a frame.
void TestCli::setShowDiffFrame()
{
    QCOMPARE(run({"set", "A.TXT", "pump=150", "left.pulse1=10", "center.count=12",
                  "center.disabled=yes", "calibration=97.84", "logo=Fresh Brew"}),
             1);
    QCOMPARE(m_out, "pump=150 is out of range (70 to 100 percent); stored 100\ncalibration=97.84 "
                    "stored 97.8\n");
    QCOMPARE(run({"show", "A.TXT"}), 0);
    const QStringList shown = m_out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(shown.size(), namedSettings().size());
    for (const char *line : {"logo=Fresh Brew", "left.pulse1=10", "left.volume=102",
                             "center.count=12", "center.disabled=yes", "pump=100", "drip=90"})
        QVERIFY2(shown.contains(line), line);
    QCOMPARE(run({"show", "A.TXT", "--json"}), 0);
    const QJsonObject json = QJsonDocument::fromJson(m_out.toUtf8()).object();
    QVERIFY(json["pump"] == 100 && json["center.disabled"] == true && json["logo"] == "Fresh Brew");

    QCOMPARE(run({"set", "B.TXT", "pump=80", "center.count=12"}), 0);
    QCOMPARE(run({"diff", "A.TXT", "B.TXT"}), 1);
    QCOMPARE(m_out, "logo: Fresh Brew -> \nleft.pulse1: 10 -> 0\ncenter.disabled: yes -> no\n"
                    "calibration: 97.8 -> 88\npump: 100 -> 80\n");
    QCOMPARE(run({"diff", "A.TXT", "A.TXT"}), 0);
    QCOMPARE(m_out, "");
    QCOMPARE(run({"frame", "B.TXT"}), 0);
    QCOMPARE(m_out,
             "$$/&" + QString("66").repeated(27) + "0000000C0000" + "0000" + "0850" + "505A)");
    QCOMPARE(run({"frame", "B.TXT", "--hex"}), 0);
    QVERIFY2(m_out.contains("counts          30 30 30 30 30 30 30 43 30 30 30 30"),
             qPrintable(m_out));
}

void TestCli::refusals_data()
{
    addColumns<QStringList, int, QString>("args", "status", "said");

    addRow("no command", QStringList(), 2, "a command is needed");
    addRow("unknown command", QStringList{"shew"}, 2, "\"shew\" is not a command");
    addRow("unknown setting", QStringList{"set", "N.TXT", "pumps=80"}, 2, "\"pumps=80\" is not");
    addRow("a letter in a number", QStringList{"set", "N.TXT", "drip=9O"}, 2, "only the digits");
    addRow("not a number", QStringList{"set", "N.TXT", "calibration=8.8.8"}, 2, "not a number");
    addRow("a logo the field refuses", QStringList{"set", "N.TXT", "logo=A-B"}, 2, "input letter");
    addRow("disabled neither yes nor no", QStringList{"set", "N.TXT", "right.disabled=1"}, 2,
           "yes or no");
    addRow("missing file", QStringList{"show", "N.TXT"}, 2, "N.TXT could not be read");
    addRow("damaged value", QStringList{"show", "D.TXT"}, 1,
           "Line 2, \"Set pump speed\" value 1: \"5Z\"");
    addRow("refused frame", QStringList{"frame", "L.TXT"}, 2, "holds \"/\"");
    addRow("missing port", QStringList{"send", "D.TXT", "--port", "/dev/no-such"}, 2,
           "could not be opened");
    addRow("no port given", QStringList{"read"}, 2, "--port DEVICE is needed");
    addRow("a timeout that is no number", QStringList{"read", "--port", "x", "--timeout", "y"}, 2,
           "--timeout");
    addRow("help", QStringList{"send", "--help"}, 0, "Usage: peln-cli send [FILE] --port DEVICE");
    addRow("version", QStringList{"--version"}, 0, "peln-cli 1.1");
}

// What cannot be done is said, with an exit status a script can test, and
// nothing is written.
void TestCli::refusals()
{
    QFETCH(QStringList, args);
    QString reason;
    QVERIFY(writeSettingsFile(file("D.TXT"), "\r\n\"Set pump speed\",\"5Z\",", &reason));
    QVERIFY(writeSettingsFile(file("L.TXT"), "\r\n\"Logo\",\"A/B\"", &reason));
    QTEST(run(args), "status");
    QFETCH(QString, said);
    QVERIFY2((m_out + m_err).contains(said), qPrintable(m_out + m_err));
    QVERIFY(!QFile::exists(file("N.TXT")));
}

void TestCli::agreesWithTheWindow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray button = R"(","C8","0A","66","04","05","06","07","08","C8",)";
    addRow("empty file", QByteArray());
    addRow("values and their rules",
           "\r\n\"Logo\",\"Hot 42\"\r\n\"#2 Button" + button +
               "\r\n\"Total cups\",\"00FA\","
               "\"0000\",\"270F\",\r\n\"Disable\",\"01\",\"00\",\r\n\"Flowmeter\",\"094E\",\r\n"
               "\"Set pump speed\",\"46\",\r\n\"Drip out time\",\"6A\",");
    addRow("damaged values", QByteArray("\"#1 Button\",\"0A00\",\"Z\r\n\"Flowmeter\",\"0A33\","));
}

// After Load the window shows what show prints, and Send sends what frame writes.
void TestCli::agreesWithTheWindow()
{
    QFETCH(QByteArray, bytes);
    QString reason;
    QVERIFY(writeSettingsFile(file("PELN PROGRAM DATA.TXT"), bytes, &reason));
    QVERIFY(run({"show"}) <= 1);
    const QStringList shown = m_out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(run({"frame"}), 0);

    PseudoTerminal line;
    WindowUnderTest w;
    w.form.setSettingsDirectory(m_dir->path());
    w.click("Command5");
    w.child<QComboBox>("Combo1")->setEditText(line.devicePath());
    w.click("connect");
    w.click("Command1");
    QCOMPARE(QString::fromLatin1(line.takeCollected(m_out.size())), m_out);
    for (const NamedSetting &setting : namedSettings()) {
        const QString name = setting.kind == NamedSetting::Kind::Logo
                                 ? QStringLiteral("Textsend")
                                 : QLatin1String(settingFields()[setting.field].name);
        QString text = w.text(name);
        if (setting.kind == NamedSetting::Kind::Disabled)
            text = text == "OFF" ? "yes" : "no";
        else if (text == "OFF")
            continue; // a disabled count: the frame holds it
        QVERIFY2(shown.contains(setting.name + '=' + text), qPrintable(setting.name + '=' + text));
    }
}

void TestCli::sendAndRead_data()
{
    addColumns<QString, int, QString>("command", "status", "said"); // the brewer's command
    addRow("good record", "r", 0,
           "left.total=1234\ncenter.total=500\nright.total=7\nleft.pulse1=10\n");
    addRow("bad header", "b", 1, "does not start with FF AA");
    addRow("short record", "s", 1, "20 of its 39 bytes arrived");
    addRow("no record", "", 1, "0 of its 39 bytes arrived");
}

// What send sends reaches the brewer whole; what the brewer then holds, read
// prints, as Read from Brewer would show it.
void TestCli::sendAndRead()
{
    QFETCH(QString, command);
    QString printed;
    QTextStream printout(&printed);
    BrewerSimulator brewer(printout);
    QVERIFY(brewer.start());
    QCOMPARE(run({"set", "S.TXT", "left.pulse1=10", "center.count=500"}), 0);
    QCOMPARE(run({"send", "S.TXT", "--port", brewer.devicePath()}), 0);
    const QString sent = (run({"frame", "S.TXT"}), m_out);
    QTRY_COMPARE(QString::fromLatin1(brewer.lastFrame()), sent);

    start({"read", "--port", brewer.devicePath(), "--timeout", "1"});
    QByteArray waiting;
    QTRY_VERIFY2((waiting += m_cli.readAllStandardError()).startsWith("Waiting up to 1 s "),
                 waiting.constData());
    QVERIFY(command.isEmpty() || brewer.command(command));
    QTEST(finish(), "status");
    QFETCH(QString, said);
    QVERIFY2((m_out + m_err).contains(said), qPrintable(m_out + m_err));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
