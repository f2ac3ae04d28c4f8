// peln-cli run as a process, as a script runs it: its output and exit status
// on real files, and send and read against the simulated brewer. (That it
// agrees with the window is checked beside the window's Load.)
#include "BrewerSimulator.h"
#include "DataRow.h"
#include "SettingNames.h"
#include "SettingsFileAccess.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void commands_data();
    void commands();
    void everySetting();
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

// Files made by set, a damaged one and one with a logo that cannot be sent.
void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QCOMPARE(run({"set", "A.TXT", "pump=150", "left.pulse1=10", "center.count=12",
                  "center.disabled=yes", "calibration=97.84", "logo=Fresh Brew"}),
             1);
    QCOMPARE(run({"set", "B.TXT", "pump=80", "center.count=12"}), 0);
    QString reason;
    QVERIFY(writeSettingsFile(m_dir->filePath("D.TXT"), "\r\n\"Set pump speed\",\"5Z\",", &reason));
    QVERIFY(writeSettingsFile(m_dir->filePath("L.TXT"), "\r\n\"Logo\",\"A/B\"", &reason));
}

void TestCli::commands_data()
{
    addColumns<QStringList, int, QString>("args", "status", "said"); // said "": nothing

    addRow("set replaces what is out of range",
           QStringList{"set", "N.TXT", "pump=150", "calibration=97.84"}, 1,
           "pump=150 is out of range (70 to 100 percent); stored 100\ncalibration=97.84 stored "
           "97.8\n");
    addRow("show", QStringList{"show", "A.TXT"}, 0,
           "logo=Fresh Brew\nleft.pulse1=10\nleft.pulse2=0\n");
    addRow("show a disabled count", QStringList{"show", "A.TXT"}, 0,
           "center.count=12\nright.count=0\ncenter.disabled=yes\nright.disabled=no\n"
           "calibration=97.8\npump=100\ndrip=90\n");
    addRow("show as JSON", QStringList{"show", "A.TXT", "--json"}, 0,
           "\"center.disabled\":true,\n    \"right.disabled\":false,\n    \"calibration\":97.8,\n  "
           "  \"pump\":100,");
    addRow("diff", QStringList{"diff", "A.TXT", "B.TXT"}, 1,
           "logo: Fresh Brew -> \nleft.pulse1: 10 -> 0\ncenter.disabled: yes -> no\n"
           "calibration: 97.8 -> 88\npump: 100 -> 80\n");
    addRow("diff of agreeing files", QStringList{"diff", "A.TXT", "A.TXT"}, 0, "");
    addRow("frame", QStringList{"frame", "B.TXT"}, 0,
           "$$/&" + QString("66").repeated(27) + "0000000C0000" + "0000" + "0850" + "505A)");
    addRow("frame in pieces", QStringList{"frame", "B.TXT", "--hex"}, 0,
           "counts          30 30 30 30 30 30 30 43 30 30 30 30");
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

// What each command says, with an exit status a script can test; where it
// cannot do what it was asked, it writes nothing.
void TestCli::commands()
{
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    QTEST(run(args), "status");
    QVERIFY2(said.isEmpty() ? m_out.isEmpty() : (m_out + m_err).contains(said),
             qPrintable(m_out + m_err));
    QCOMPARE(QFile::exists(m_dir->filePath("N.TXT")), args.value(2) == "pump=150");
}

// Every setting by its name, set into a file and shown back out of it.
void TestCli::everySetting()
{
    QStringList values;
    for (const NamedSetting &setting : namedSettings()) {
        QString value = QString::number(values.size()); // the button fields: 1 to 27
        if (setting.kind != NamedSetting::Kind::Field)
            value = setting.kind == NamedSetting::Kind::Logo ? "Every Name" : "yes";
        else if (setting.field >= 27) // the counts, calibration, pump and drip
            value = QStringList{"1027", "1028", "1029", "80.5", "75", "95"}[setting.field - 27];
        values << setting.name + '=' + value;
    }
    QCOMPARE(run(QStringList{"set", "E.TXT"} + values), 0);
    QCOMPARE(run({"show", "E.TXT"}), 0);
    QCOMPARE(m_out, values.join('\n') + '\n');
}

void TestCli::sendAndRead_data()
{
    addColumns<QString, int, QString>("command", "status", "said"); // the brewer's command
    addRow("good record", "r", 0,
           "left.total=1234\ncenter.total=500\nright.total=7\nleft.pulse1=10\n");
    addRow("bad header", "b", 1, "does not start with FF AA");
    addRow("short record", "s", 1, "only 20 of its 39 bytes arrived");
    addRow("no record", "", 1, "nothing arrived from the brewer");
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
