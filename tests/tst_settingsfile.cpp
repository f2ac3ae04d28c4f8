#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"
#include "SettingsFileSamples.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// "slot=text" pairs into a table.
void setSlots(SettingsTable &table, const QStringList &assignments)
{
    for (const QString &assignment : assignments) {
        const auto parts = assignment.split('=');
        table.setSlot(parts[0].toInt(), parts[1]);
    }
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void recordLines_data();
    void recordLines();
    void lineEnds_data();
    void lineEnds();
    void readLine_data();
    void readLine();
    void skippedValuesAreListed();
    void writeReplacesWhole();
    void failedWriteLeavesOldFile();
    void readFailures();
};

void TestSettingsFile::workedExample()
{
    const QByteArray expected = fileOf(defaultFileLines());
    QCOMPARE(expected.size(), 314);
    QVERIFY(expected.startsWith("\r\n\"Logo\",\"\"\r\n\"#1 Button\",\"66\","));
    QVERIFY(expected.endsWith("\"Set pump speed\",\"00\",\r\n\"Drip out time\",\"00\","));
    SettingsTable table;
    table.FillDefaults();
    QCOMPARE(settingsFileBytes(table, QString()), expected);
}

void TestSettingsFile::recordLines_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("logo");
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<QByteArray>("expected");

    const auto row = [](const char *tag, const QStringList &assignments, const QString &logo,
                        int line, const QByteArray &expected) {
        QTest::newRow(tag) << assignments << logo << line << expected;
    };
    row("counts", {"27=00FA", "28=0000", "29=270F"}, "", 6,
        R"("Total cups","00FA","0000","270F",)");
    row("disable flags", {"33=01", "34=00"}, "", 7, R"("Disable","01","00",)");
    row("calibration", {"30=0850"}, "", 8, R"("Flowmeter","0850",)");
    row("pump", {"31=64"}, "", 9, R"("Set pump speed","64",)");
    row("drip", {"32=5A"}, "", 10, R"("Drip out time","5A",)");
    row("zero pulse is filled", {"18=00", "19=0A", "26=40"}, "", 5,
        R"("#3 Button","66","0A","66","66","66","66","66","66","40",)");
    row("quote in logo", {}, R"(A"B)", 2, R"("Logo","A"B")");
    row("latin-1 logo", {}, QString::fromLatin1("Caf\xE9 \xFF"), 2, "\"Logo\",\"Caf\xE9 \xFF\"");
}

void TestSettingsFile::recordLines()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, logo);
    QFETCH(int, line);
    QFETCH(QByteArray, expected);

    SettingsTable table;
    setSlots(table, assignments);
    table.FillDefaults();
    const QList<QByteArray> lines = settingsFileBytes(table, logo).split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[line - 1], line < 10 ? expected + '\r' : expected);
}

void TestSettingsFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("CR LF") << QByteArray("\r\na\r\nb") << QStringList{"", "a", "b"};
    QTest::newRow("LF") << QByteArray("\na\nb\n") << QStringList{"", "a", "b"};
    QTest::newRow("CR") << QByteArray("\ra\rb\r") << QStringList{"", "a", "b"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("bytes kept") << QByteArray("\"\xE9\t\xFF,\"\r\n")
                                << QStringList{QString::fromLatin1("\"\xE9\t\xFF,\"")};
}

void TestSettingsFile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(settingsFileLines(bytes), lines);
}

void TestSettingsFile::readLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("logo"); // "-" for none
    QTest::addColumn<QString>("key");  // "" for none
    QTest::addColumn<QStringList>("values");

    const auto row = [](const char *tag, const QString &line, const char *logo, const char *key,
                        const QStringList &values) {
        QTest::newRow(tag) << line << QString(logo) << QString(key) << values;
    };
    const QStringList empty(7, "");
    row("empty line", "", "-", "", {});
    row("empty logo", R"("Logo","")", "", "", {});
    row("logo with quote", R"("Logo","A"B")", R"(A"B)", "", {});
    row("logo without closing quote", R"("Logo","AB)", "A", "", {});
    row("logo line of 8", R"("Logo",")", "", "", {});
    row("logo line of 5", R"("Logo)", "", "", {});
    row("logo key in lower case", R"("logo","AB")", "-", "", {});
    row("disable not read", R"("Disable","01","01",)", "-", "", {});
    row("any first character", R"(#Drip out time#,#6A#)", "-", "Drip out time", {"6A"});
    row("cut short", R"("#1 Button","0A","1)", "-", "#1 Button", QStringList{"0A", "1"} + empty);
    row("shifted by a wide value", R"("#1 Button","0A00","0B","0C",)", "-", "#1 Button",
        QStringList{"0A", ",\"", ",\"", ","} + empty.mid(2));
}

void TestSettingsFile::readLine()
{
    QFETCH(QString, line);
    QFETCH(QString, logo);
    QFETCH(QString, key);
    QFETCH(QStringList, values);

    const SettingsLine read = readSettingsLine(line);
    QCOMPARE(read.logo.value_or("-"), logo);
    QCOMPARE(read.record ? QString(read.record->key) : QString(), key);
    QStringList texts;
    for (const CutValue &value : read.values)
        texts << value.text;
    QCOMPARE(texts, values);
}

void TestSettingsFile::skippedValuesAreListed()
{
    SettingsTable table;
    SettingsFileLoader loader(table);
    loader.takeLine(R"("Set pump speed","G1",)");
    loader.takeLine(R"("#1 Button","0a","2)");
    QCOMPARE(table.slot(0), "0A");
    QCOMPARE(loader.skipped().size(), 9);
    const QStringList report = skippedValuesReport(loader.skipped(), 3).split('\n');
    QCOMPARE(report, (QStringList{R"(Line 1, "Set pump speed" value 1: "G1")",
                                  R"(Line 2, "#1 Button" value 2: "2")",
                                  R"(Line 2, "#1 Button" value 3: missing)", "... and 6 more"}));
}

void TestSettingsFile::writeReplacesWhole()
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    QCOMPARE(path, QDir::toNativeSeparators(dir.path() + "/PELN PROGRAM DATA.TXT"));
    QCOMPARE(settingsFilePath("/"), QDir::toNativeSeparators("/PELN PROGRAM DATA.TXT"));

    QString reason;
    QVERIFY(writeSettingsFile(path, QByteArray(1000, 'x'), &reason));
    QVERIFY(writeSettingsFile(path, "short", &reason));
    QCOMPARE(readAll(path), "short");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), {"PELN PROGRAM DATA.TXT"});
}

void TestSettingsFile::failedWriteLeavesOldFile()
{
    QTemporaryDir dir;
    QString reason;

    // A folder standing at the file's path stops root as well.
    const QString blocked = settingsFilePath(dir.filePath("blocked"));
    QVERIFY(QDir().mkpath(blocked));
    QVERIFY(!writeSettingsFile(blocked, "new", &reason));
    QVERIFY2(reason.contains("directory"), qPrintable(reason));
    QVERIFY(QFileInfo(blocked).isDir());

    QVERIFY(!writeSettingsFile(settingsFilePath(dir.filePath("missing")), "new", &reason));
    QVERIFY(!reason.isEmpty());

#ifdef Q_OS_UNIX
    // A disk that fills up half way, simulated by a limit on file size.
    const QString path = settingsFilePath(dir.path());
    QVERIFY(writeSettingsFile(path, "old settings", &reason));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeSettingsFile(path, QByteArray(300, 'n'), &reason);
    setrlimit(RLIMIT_FSIZE, &previous);
    QVERIFY(!written);
    QCOMPARE(reason, "File too large");
    QCOMPARE(readAll(path), "old settings");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), {"PELN PROGRAM DATA.TXT"});
#endif
}

void TestSettingsFile::readFailures()
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    QString reason;
    QVERIFY(!readSettingsFile(path, &reason));
    QVERIFY(!reason.isEmpty());

    QVERIFY(QDir().mkpath(path));
    reason.clear();
    QVERIFY(!readSettingsFile(path, &reason));
    QVERIFY(!reason.isEmpty());
    QVERIFY(QDir().rmdir(path));

    QVERIFY(writeSettingsFile(path, QByteArray(SettingsFileSizeLimit, '\n'), &reason));
    QCOMPARE(readSettingsFile(path, &reason).value_or("").size(), SettingsFileSizeLimit);
    QVERIFY(writeSettingsFile(path, QByteArray(SettingsFileSizeLimit + 1, '\n'), &reason));
    QVERIFY(!readSettingsFile(path, &reason));
    QVERIFY2(reason.contains("too large"), qPrintable(reason));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
