// peln-cli run as a process, as a script runs it: its output and exit status
// on real files, files it must not harm, concurrent use, a full disk on its
// standard output, and send and read against the simulated brewer. (That
// it agrees with the window is checked beside the window's Load and Read.)
#include "BrewerSimulator.h"
#include "CliRunner.h"
#include "DataRow.h"
#include "PortLockFile.h"
#include "SettingNames.h"
#include "SettingsFileAccess.h"
#include "SettingsFileLock.h"

#include <QScopeGuard>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace operations;

class TestCli : public QObject, protected CliRunner
{
    Q_OBJECT

private slots:
    void init();
    void commands_data();
    void commands();
    void failedOutput();
    void everySetting();
    void concurrentSets();
    void ownership();
    void sendAndRead_data();
    void sendAndRead();
    void portLockFile();
    void comPort();
};

// Files made by set, files that are damaged, cut short or empty, and files
// that are no settings files at all.
void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QCOMPARE(run({"set", "A.TXT", "pump=150", "left.pulse1=10", "center.count=12",
                  "center.disabled=true", "calibration=97.84", "logo=Fresh Brew"}),
             1);
    QCOMPARE(run({"set", "B.TXT", "pump=80", "center.count=12"}), 0);
    const QByteArray random = QByteArray::fromHex("8f00d1ff0a7e2209c4e1") + "\"Logo";
    for (const auto &[name, bytes] : {
             std::pair("D.TXT", fileWith({R"(9:"Set pump speed","5Z",)"})),
             {"P.TXT", fileWith({R"(9:"Set pump speed","05",)"})},
             {"C.TXT", fileWith().left(fileWith().indexOf("\r\n\"Total"))},
             {"L.TXT", fileWith({R"(2:"Logo","A/B")"})},
             {"E.TXT", QByteArray()},
             {"notes.md", QByteArray("# Notes\r\n\r\nSet the pump to 80.\n")},
             {"passwd", QByteArray("root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/:/bin/sh\n")},
             {"random.bin", random},
         }) {
        QString reason;
        QVERIFY(writeSettingsFile(m_dir->filePath(name), bytes, &reason));
    }
}

void TestCli::commands_data()
{
    // The arguments, split at spaces; the file the command may change ("" for
    // none); the pieces of what it says, split at "|", which must all be there
    // ("" expects no output at all).
    addColumns<QString, int, QString, QString>("args", "status", "changed", "said");

    addRow("set replaces what is out of range",
           "set N.TXT pump=150 calibration=97.84 right.disabled=0", 1, "N.TXT",
           "pump=150 is out of range (70 to 100 percent); stored 100\n"
           "calibration=97.84 is rounded; stored 97.8\n");
    addRow("set takes show's JSON back", "set B.TXT center.disabled=true", 0, "B.TXT", "");
    const QString shown =
        "logo=Fresh Brew\nleft.pulse1=10\nleft.pulse2=0\n|center.count=12\nright.count=0\n"
        "center.disabled=yes\nright.disabled=no\ncalibration=97.8\npump=100\ndrip=90\n";
    addRow("show", "show A.TXT", 0, "", shown);
    addRow("show as JSON", "show A.TXT --json", 0, "",
           "\"center.disabled\":true,\n    \"right.disabled\":false,\n    \"calibration\":97.8,\n"
           "    \"pump\":100,");
    // In German, what peln-cli says to a person is translated, what it
    // prints for scripts is not.
    addRow("German: show", "LANGUAGE=de show A.TXT", 0, "", shown);
    addRow("German: a misspelt name", "LANGUAGE=de get -f A.TXT pupm", 2, "",
           "peln-cli: \u201Epupm\u201C ist kein Einstellungsname;");
    addRow("German: a rounded value", "LANGUAGE=de set N.TXT calibration=97.85", 1, "N.TXT",
           "calibration=97.85 wird gerundet; gespeichert: 97.8\n");
    addRow("get, in the order asked", "get pump -f A.TXT logo pump", 0, "",
           "100\nFresh Brew\n100\n");
    addRow("diff", "diff A.TXT B.TXT", 1, "",
           "logo: Fresh Brew -> \nleft.pulse1: 10 -> 0\ncenter.disabled: yes -> no\n"
           "calibration: 97.8 -> 88\npump: 100 -> 80\n");
    addRow("diff of agreeing files", "diff A.TXT A.TXT", 0, "", "");
    addRow("frame", "frame B.TXT", 0, "",
           "$$/&" + QString("66").repeated(27) + "0000000C0000" + "0000" + "0850" + "505A)");
    addRow("frame names what it replaced", "frame P.TXT", 0, "",
           "0850645A)peln-cli: P.TXT: Flowmeter calibration, new setting: the file holds 0; 88 "
           "is sent\npeln-cli: P.TXT: Pump working speed: the file holds 5; 100 is sent\n");
    addRow("frame in pieces", "frame B.TXT --hex", 0, "",
           "counts          30 30 30 30 30 30 30 43 30 30 30 30");
    addRow("list", "list", 0, "",
           "\npump               70 to 100 percent|Pump working speed\n"
           "|\nleft.total         reported by the brewer|\nbrewer.calibration reported by");
    addRow("help of a command", "--help show", 0, "",
           "Usage: peln-cli show [FILE]|PELN PROGRAM DATA.TXT\n");
    addRow("help names the settings", "help set", 0, "",
           "--force|\ndrip               70 to 105 seconds");
    addRow("version", "--version", 0, "", "peln-cli 1.1\n");

    // A file with no record of a settings file is never written or read as one.
    for (const char *file : {"notes.md", "passwd", "random.bin", "E.TXT"}) {
        for (const char *command : {"set %1 pump=80", "show %1", "frame %1"}) {
            const QString args = QString(command).arg(file);
            addRow(qPrintable(args), args, 3, "", QString(file) + " is not a settings file");
        }
    }
    // A damaged or cut file: show says what it can, the others refuse unless forced.
    addRow("show a damaged value", "show D.TXT", 1, "",
           "Line 9, \"Set pump speed\" value 1: \"5Z\"|\npump=0\n");
    addRow("show a cut file", "show C.TXT", 1, "",
           "C.TXT: the \"Total cups\" record is missing|\ndrip=0\n");
    addRow("frame of a cut file", "frame C.TXT", 3, "", "C.TXT is damaged|--force");
    addRow("set on a damaged file", "set D.TXT drip=80", 3, "", "nothing was written");
    addRow("frame forced", "frame --force C.TXT", 0, "", "$$/&6666");
    addRow("set forced", "set --force D.TXT drip=80", 0, "D.TXT", "\"5Z\"");
    addRow("a frame the window would refuse", "frame L.TXT", 3, "", "holds \"/\"");
    addRow("missing file", "show N.TXT", 2, "", "N.TXT could not be read");
    addRow("without FILE, the file beside the program", "show", 2, "",
           QDir::toNativeSeparators(QFileInfo(PELN_CLI).absolutePath() + "/PELN PROGRAM DATA.TXT") +
               " could not be read: ");

    // Bad usage changes nothing.
    addRow("no command", "", 2, "", "a command is needed");
    addRow("unknown command", "shew", 2, "", "\"shew\" is not a command");
    addRow("unknown setting", "set N.TXT pumps=80", 2, "", "\"pumps=80\" is not");
    addRow("a name twice", "set B.TXT pump=90 pump=80", 2, "",
           "pump is given twice. Nothing was written.");
    addRow("get an unknown name", "get -f A.TXT pumps", 2, "", "\"pumps\" is not");
    // FILE is never guessed: a word with "=" is NAME=VALUE, get's words are names.
    addRow("a typo in a name is no file", "set pmp=80 pump=90", 2, "",
           "\"pmp=80\" is not NAME=VALUE");
    addRow("get takes FILE with -f", "get A.TXT pump", 2, "", "-f A.TXT names a file");
    addRow("FILE twice", "show A.TXT --file B.TXT", 2, "", "FILE is given twice");
    addRow("a rounded value", "set N.TXT calibration=97.85", 1, "N.TXT",
           "calibration=97.85 is rounded; stored 97.8\n");
    addRow("ports", "ports --json", 0, "", "[");
    addRow("set --dry-run writes nothing", "set --dry-run A.TXT pump=150 center.disabled=false", 1,
           "", "pump=100\ncenter.disabled=no\n|nothing was written");
    addRow("set --strict refuses a replacement", "set B.TXT --strict pump=75 calibration=97.85", 3,
           "", "calibration=97.85 is rounded|Nothing was written");
    addRow("a letter in a number", "set N.TXT drip=9O", 2, "", "only the digits");
    addRow("not a number", "set N.TXT calibration=8.8.8", 2, "", "not a number");
    addRow("a logo the field refuses", "set N.TXT logo=A-B", 2, "", "input letter");
    addRow("disabled neither yes nor no", "set N.TXT right.disabled=2", 2, "", "true or false");
    addRow("no such device", "read --port PELN-none --timeout 0.1", 5, "",
           "PELN-none could not be opened");
    addRow("no port given", "read", 2, "", "--port DEVICE is needed");
    addRow("a timeout that is no number", "read --port x --timeout y", 2, "", "--timeout");
}

// What each command says, with an exit status a script can test; no file
// changes but the one the command is there to write.
void TestCli::commands()
{
    QFETCH(QString, args);
    QFETCH(QString, changed);
    QFETCH(QString, said);
    QStringList words = args.split(' ', Qt::SkipEmptyParts);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!words.isEmpty() && words.first().startsWith("LANGUAGE=")) {
#ifdef Q_OS_WIN
        QSKIP("Windows takes the language from the user's account, not from LANGUAGE");
#endif
        environment.insert("LANGUAGE", words.takeFirst().mid(9));
    }
    m_cli.setProcessEnvironment(environment);
    auto before = files();
    QTEST(run(words), "status");
    for (const QString &piece : said.split('|'))
        QVERIFY2(piece.isEmpty() ? m_out.isEmpty() : (m_out + m_err).contains(piece),
                 qPrintable(m_out + m_err));
    auto after = files();
    before.remove(changed);
    QVERIFY(after.remove(changed) == int(!changed.isEmpty()));
    QCOMPARE(after, before);
}

// Output that cannot be written fails the command, whatever it was; a name
// the system's encoding cannot carry is refused, and nothing is made.
void TestCli::failedOutput()
{
#ifndef Q_OS_UNIX
    QSKIP("needs /dev/full and file names in bytes; Windows has neither");
#endif
    m_cli.setStandardOutputFile("/dev/full");
    for (const QStringList &args : {QStringList{"frame", "B.TXT"}, QStringList{"show", "B.TXT"},
                                    QStringList{"--help"}, QStringList{"--version"}}) {
        QCOMPARE(run(args), 2);
        QVERIFY2(m_err.contains("write error: "), qPrintable(m_err));
    }
    m_cli.setStandardOutputFile(QString());
    start(m_cli,
          {"-c", QString("touch \"$(printf 'caf\\351.txt')\"; \"%1\" show \"$(printf "
                         "'caf\\351.txt')\"; shown=$?; \"%1\" set \"$(printf 'x\\351.txt')\" "
                         "pump=80; set=$?; [ -e \"$(printf 'x\\351.txt')\" ] && set=9; "
                         "rm \"$(printf 'caf\\351.txt')\"; exit $((shown * 10 + set))")
                     .arg(PELN_CLI)},
          "bash");
    QCOMPARE(finish(), 22);
    QVERIFY2(m_err.contains("\"caf%E9.txt\", is not valid text in this system's encoding; "
                            "give the file another name."),
             qPrintable(m_err));
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
    QCOMPARE(run(QStringList{"set", "E2.TXT"} + values), 0);
    QCOMPARE(run({"show", "E2.TXT"}), 0);
    QCOMPARE(m_out, values.join('\n') + '\n');
}

// Two scripts set their own setting in one file, at once, round after
// round; after each round both find their own value there. A lock that
// another program keeps is not waited for without end.
void TestCli::concurrentSets()
{
    QCOMPARE(run({"set", "S.TXT", "left.count=0", "right.count=0"}), 0);
    QProcess left, right;
    for (QProcess *each : {&left, &right})
        each->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    for (int round = 1; round <= 40; ++round) {
        const QString value = QString::number(round);
        start(left, {"set", "S.TXT", "left.count=" + value});
        start(right, {"set", "S.TXT", "right.count=" + value});
        QVERIFY(left.waitForFinished(60000) && right.waitForFinished(60000));
        QCOMPARE(left.exitCode() + right.exitCode(), 0);
        QCOMPARE(run({"get", "-f", "S.TXT", "left.count", "right.count"}), 0);
        QCOMPARE(m_out, value + '\n' + value + '\n');
    }
    // A lock held elsewhere is waited for a while, then named: busy.
    const SettingsFileLock held(m_dir->filePath("S.TXT"));
    QCOMPARE(run({"set", "S.TXT", "pump=90"}), 4);
    QVERIFY2(m_err.contains("has held it for more than 5 seconds. Nothing was written."),
             qPrintable(m_err));
#ifdef Q_OS_LINUX
    QVERIFY(
        m_err.contains(QString("tst_cli (process %1)").arg(QCoreApplication::applicationPid())));
#endif
}

// set leaves a file with other hard links alone, and keeps the owner, group
// and mode of one it rewrites, also as root on another user's file.
void TestCli::ownership()
{
#ifndef Q_OS_UNIX
    QSKIP("owners and hard links are Unix's");
#else
    const QByteArray path = QFile::encodeName(m_dir->filePath("B.TXT"));
    QVERIFY(::link(path.constData(), QFile::encodeName(m_dir->filePath("B2.TXT")).constData()) ==
            0);
    QCOMPARE(run({"set", "B.TXT", "pump=90"}), 2);
    QVERIFY2(m_err.contains("it has 2 hard links"), qPrintable(m_err));
    QVERIFY(QFile::remove(m_dir->filePath("B2.TXT")));
    if (::geteuid() != 0)
        QSKIP("another user's file: needs root");
    QVERIFY(::chown(path.constData(), 65534, 65534) == 0 && ::chmod(path.constData(), 0640) == 0);
    QCOMPARE(run({"set", "B.TXT", "pump=90"}), 0);
    struct stat kept = {};
    QVERIFY(::stat(path.constData(), &kept) == 0);
    QCOMPARE(QList<uint>({kept.st_uid, kept.st_gid, kept.st_mode & 07777}),
             QList<uint>({65534, 65534, 0640}));
#endif
}

void TestCli::sendAndRead_data()
{
    addColumns<QString, int, QString>("command", "status", "said"); // the brewer's command
    addRow("a good record", "r", 0, "left.total=1234\ncenter.total=500\nright.total=7\n");
    addRow("bad header", "b", 1, "does not start with FF AA");
    addRow("short record", "s", 1, "only 20 of its 39 bytes arrived");
    addRow("no record", "", 1, "nothing arrived from the brewer");
}

// What send sends reaches the brewer whole, and with --read, the brewer's
// answer is printed; what the brewer sends later, read prints as Read from
// Brewer would show it, also when it came before read opened the port.
void TestCli::sendAndRead()
{
    QFETCH(QString, command);
    QString printed;
    QTextStream printout(&printed);
    BrewerSimulator brewer(printout);
    if (!brewer.start())
        QSKIP(qPrintable("the simulated brewer: " + brewer.errorString()));
    QCOMPARE(run({"set", "S.TXT", "left.pulse1=10", "center.count=500"}), 0);
    QCOMPARE(run({"send", "S.TXT", "--read", "--quiet", "--port", brewer.devicePath()}), 0);
    QVERIFY(m_err.isEmpty());
    QVERIFY2(m_out.startsWith("left.total=1234\ncenter.total=500\nright.total=7\nleft.pulse1=10\n"),
             qPrintable(m_out));
    const QString sent = (run({"frame", "S.TXT"}), m_out);
    QCOMPARE(QString::fromLatin1(brewer.lastFrame()), sent);
    // --verify compares the brewer's answer with what was sent.
    QCOMPARE(run({"send", "S.TXT", "--verify", "--port", brewer.devicePath()}), 0);
    QVERIFY(m_out.isEmpty() && m_err.contains("The brewer holds every setting sent at "));
    QVERIFY(brewer.command("p 2 30")); // the brewer keeps Left Button pulse 3 at 30
    QCOMPARE(run({"send", "S.TXT", "--verify", "--json", "--port", brewer.devicePath()}), 1);
    QCOMPARE(m_out, "{\n    \"left.pulse3\": {\"sent\": 0, \"brewer\": 30}\n}\n");

    QVERIFY(command.isEmpty() || brewer.command(command)); // before the port opens
    start(m_cli, {"read", "--timeout", "1", "--port", brewer.devicePath()});
    QTEST(finish(), "status");
    QFETCH(QString, said);
    QVERIFY2((m_out + m_err).contains(said), qPrintable(m_out + m_err));
}

// A port that a running terminal program marks busy with its lock file is
// left to it, and the file is left alone; a lock file of a process that has
// ended is no obstacle.
void TestCli::portLockFile()
{
#ifndef Q_OS_UNIX
    QSKIP("a terminal program's lock file is Unix's; comPort() holds a port as Windows does");
#endif
    QString printed;
    QTextStream printout(&printed);
    BrewerSimulator brewer(printout);
    QVERIFY2(brewer.start(), qPrintable(brewer.errorString()));
    const QStringList folders = standardLockFolders();
    if (folders.isEmpty() || !QFileInfo(folders.first()).isWritable())
        QSKIP("no writable lock folder");
    // The line under a name like an adapter's, where /dev lets us make one.
    QString device = QStringLiteral("/dev/ttyPELN%1").arg(QCoreApplication::applicationPid());
    if (!QFile::link(brewer.devicePath(), device))
        device = brewer.devicePath();
    const auto unlink = qScopeGuard([&] {
        QFile::remove(QStringLiteral("/dev/ttyPELN%1").arg(QCoreApplication::applicationPid()));
    });
    const QString lock = QDir(folders.first()).filePath(portLockFileName(device));
    QProcess holder;
    holder.start("sleep", {"30"});
    QVERIFY(holder.waitForStarted());
    const QByteArray held = QString("%1\n").arg(holder.processId(), 10).toLatin1();
    for (const bool alive : {true, false}) {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(held);
        file.close();
        QCOMPARE(run({"send", "B.TXT", "--port", device}), alive ? 4 : 0);
        QVERIFY2(!alive || m_err.contains("in use by another program"), qPrintable(m_err));
        // Untouched, or taken over with Qt's own, gone once the port closed.
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : "gone", alive ? held : "gone");
        holder.kill();
        holder.waitForFinished();
    }
}

// On Windows, a port that another program holds is refused as in use, with
// the status of a port that cannot be used. Wine lets every opener share a
// serial device, so the harness (scripts/windows.sh) names a port that Wine
// refuses as Windows refuses a held one.
void TestCli::comPort()
{
    const QString held = qEnvironmentVariable("PELN_TEST_HELD_PORT");
    if (held.isEmpty())
        QSKIP("PELN_TEST_HELD_PORT names no COM port that the system refuses");
    QCOMPARE(run({"send", "B.TXT", "--port", held}), 4);
    QVERIFY2(m_err.contains(held + " could not be opened: the port is in use by another program"),
             qPrintable(m_err));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
