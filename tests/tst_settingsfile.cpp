#include "LoadFieldPass.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"
#include "SettingsFileSamples.h"
#include "SlotForms.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

SettingsTable defaultsTable()
{
    SettingsTable table;
    table.FillDefaults();
    return table;
}

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
    void loaderChecksValues_data();
    void loaderChecksValues();
    void fieldPassTexts_data();
    void fieldPassTexts();
    void randomTablesRoundTrip();
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
    QCOMPARE(settingsFileBytes(defaultsTable(), QString()), expected);
}

void TestSettingsFile::recordLines_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("logo");
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("counts") << QStringList{"27=00FA", "28=0000", "29=270F"} << "" << 6
                            << QByteArray(R"("Total cups","00FA","0000","270F",)");
    QTest::newRow("disable flags")
        << QStringList{"33=01", "34=00"} << "" << 7 << QByteArray(R"("Disable","01","00",)");
    QTest::newRow("calibration") << QStringList{"30=0850"} << "" << 8
                                 << QByteArray(R"("Flowmeter","0850",)");
    QTest::newRow("pump") << QStringList{"31=64"} << "" << 9
                          << QByteArray(R"("Set pump speed","64",)");
    QTest::newRow("drip") << QStringList{"32=5A"} << "" << 10
                          << QByteArray(R"("Drip out time","5A",)");
    QTest::newRow("right volume last") << QStringList{"18=0A", "26=40"} << "" << 5
                                       << QByteArray(R"("#3 Button","0A","66","66","66","66",)"
                                                     R"("66","66","66","40",)");
    QTest::newRow("quote in logo")
        << QStringList{} << R"(A"B)" << 2 << QByteArray(R"("Logo","A"B")");
    QTest::newRow("latin-1 logo") << QStringList{} << QString::fromLatin1("Caf\xE9 \xFF") << 2
                                  << QByteArray("\"Logo\",\"Caf\xE9 \xFF\"");
}

void TestSettingsFile::recordLines()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, logo);
    QFETCH(int, line);
    QFETCH(QByteArray, expected);

    SettingsTable table = defaultsTable();
    setSlots(table, assignments);
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

    const QStringList lines = defaultFileLines();
    const QStringList nineDefaults(9, "66");
    QTest::newRow("empty") << lines[0] << "-"
                           << "" << QStringList{};
    QTest::newRow("empty logo") << lines[1] << ""
                                << "" << QStringList{};
    QTest::newRow("logo with quote") << R"("Logo","A"B")"
                                     << R"(A"B)"
                                     << "" << QStringList{};
    QTest::newRow("logo without its closing quote") << R"("Logo","AB)"
                                                    << "A"
                                                    << "" << QStringList{};
    QTest::newRow("logo line of 8") << R"("Logo",")"
                                    << ""
                                    << "" << QStringList{};
    QTest::newRow("logo line of 5") << R"("Logo)"
                                    << ""
                                    << "" << QStringList{};
    QTest::newRow("logo key in lower case") << R"("logo","AB")"
                                            << "-"
                                            << "" << QStringList{};
    QTest::newRow("button") << lines[3] << "-"
                            << "#2 Button" << nineDefaults;
    QTest::newRow("other first character") << "X" + lines[3].mid(1) << "-"
                                           << "#2 Button" << nineDefaults;
    QTest::newRow("key in other case") << R"("#2 BUTTON","0A",)"
                                       << "-"
                                       << "" << QStringList{};
    QTest::newRow("cut short") << R"("#1 Button","0A","1)"
                               << "-"
                               << "#1 Button" << QStringList{"0A", "1", "", "", "", "", "", "", ""};
    QTest::newRow("shifted by a wide value")
        << R"("#1 Button","0A00","0B","0C",)"
        << "-"
        << "#1 Button" << QStringList{"0A", ",\"", ",\"", ",", "", "", "", "", ""};
    QTest::newRow("counts") << R"("Total cups","00FA","0000","270F",)"
                            << "-"
                            << "Total cups" << QStringList{"00FA", "0000", "270F"};
    QTest::newRow("disable not read") << lines[6] << "-"
                                      << "" << QStringList{};
    QTest::newRow("calibration") << R"("Flowmeter","094E",)"
                                 << "-"
                                 << "Flowmeter" << QStringList{"094E"};
    QTest::newRow("pump") << R"("Set pump speed","46",)"
                          << "-"
                          << "Set pump speed" << QStringList{"46"};
    QTest::newRow("drip") << R"(#Drip out time#,#6A#)"
                          << "-"
                          << "Drip out time" << QStringList{"6A"};
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

void TestSettingsFile::loaderChecksValues_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("assignments"); // "slot=text", "slot=unset"
    QTest::addColumn<QStringList>("skipped");

    const QString twoLeft = R"("#1 Button","01","02","03","04","05","06","07","08","09",)";
    QTest::newRow("later line wins")
        << QStringList{twoLeft, R"("#1 Button","11","12","13","14","15","16","17","18","19",)"}
        << QStringList{"0=11", "8=19", "9=unset"} << QStringList{};
    QTest::newRow("lower case stored upper case")
        << QStringList{R"("Total cups","00fa","0A0b","270F",)", R"("Flowmeter","094e",)"}
        << QStringList{"27=00FA", "28=0A0B", "30=094E"} << QStringList{};
    QStringList shifted;
    for (int value = 2; value <= 9; ++value)
        shifted << QStringLiteral(R"(Line 2, "#1 Button" value %1: ","")").arg(value);
    QTest::newRow("wide value shifts the rest")
        << QStringList{twoLeft, R"("#1 Button","0A00","0B","0C","0D","0E","0F","10","11","12",)"}
        << QStringList{"0=0A", "1=02", "2=03", "8=09"} << shifted;
    QStringList cut = {R"(Line 2, "#1 Button" value 2: "2")"};
    for (int value = 3; value <= 9; ++value)
        cut << QStringLiteral(R"(Line 2, "#1 Button" value %1: missing)").arg(value);
    cut << R"(Line 3, "#2 Button" value 1: "0")"
        << R"(Line 3, "#2 Button" value 2: missing)"
        << "... and 7 more";
    QTest::newRow("cut short keeps earlier values")
        << QStringList{twoLeft, R"("#1 Button","1A","2)", R"("#2 Button","0)"}
        << QStringList{"0=1A", "1=02", "8=09", "9=unset"} << cut;
    QTest::newRow("not hexadecimal")
        << QStringList{R"("Set pump speed","G1",)", R"("Drip out time","5 ",)"}
        << QStringList{"31=unset", "32=unset"}
        << QStringList{R"(Line 1, "Set pump speed" value 1: "G1")",
                       R"(Line 2, "Drip out time" value 1: "5 ")"};
}

void TestSettingsFile::loaderChecksValues()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, assignments);
    QFETCH(QStringList, skipped);

    SettingsTable table;
    SettingsFileLoader loader(table);
    for (const QString &line : lines)
        loader.takeLine(line);
    for (const QString &expected : assignments) {
        const auto parts = expected.split('=');
        QCOMPARE(table.slot(parts[0].toInt()).value_or("unset"), parts[1]);
    }
    const QString report = skippedValuesReport(loader.skipped());
    QCOMPARE(report.isEmpty() ? QStringList{} : report.split('\n'), skipped);
}

void TestSettingsFile::fieldPassTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("slot");  // "unset" for none
    QTest::addColumn<QString>("shown"); // "-" for the field left alone
    QTest::addColumn<QString>("corrected");

    using K = FieldKind;
    QTest::newRow("pulse 0A") << int(K::Pulse) << "0A"
                              << "10"
                              << "-";
    QTest::newRow("pulse 66 is zero") << int(K::Pulse) << "66"
                                      << "102"
                                      << "0";
    QTest::newRow("volume 66") << int(K::Volume) << "66"
                               << "102"
                               << "-";
    QTest::newRow("count 270F") << int(K::Count) << "270F"
                                << "9999"
                                << "-";
    QTest::newRow("count FFFF kept") << int(K::CountWithDisable) << "FFFF"
                                     << "65535"
                                     << "-";
    QTest::newRow("calibration 094E") << int(K::Calibration) << "094E"
                                      << "97.8"
                                      << "-";
    QTest::newRow("calibration 0850") << int(K::Calibration) << "0850"
                                      << "88"
                                      << "-";
    QTest::newRow("calibration 0A32") << int(K::Calibration) << "0A32"
                                      << "105"
                                      << "-";
    QTest::newRow("calibration 0A33") << int(K::Calibration) << "0A33"
                                      << "105.1"
                                      << "88";
    QTest::newRow("calibration 0000") << int(K::Calibration) << "0000"
                                      << "0"
                                      << "88";
    QTest::newRow("calibration FFFF") << int(K::Calibration) << "FFFF"
                                      << "2575.5"
                                      << "88";
    QTest::newRow("pump 46") << int(K::PumpSpeed) << "46"
                             << "70"
                             << "-";
    QTest::newRow("pump 65") << int(K::PumpSpeed) << "65"
                             << "101"
                             << "100";
    QTest::newRow("drip 69") << int(K::DripTime) << "69"
                             << "105"
                             << "-";
    QTest::newRow("drip 6A") << int(K::DripTime) << "6A"
                             << "106"
                             << "90";
    QTest::newRow("drip 45") << int(K::DripTime) << "45"
                             << "69"
                             << "90";
    QTest::newRow("unset") << int(K::Pulse) << "unset"
                           << "-"
                           << "-";
    QTest::newRow("empty") << int(K::Volume) << ""
                           << "-"
                           << "-";
    QTest::newRow("not hex") << int(K::Count) << "00\","
                             << "-"
                             << "-";
    QTest::newRow("calibration short") << int(K::Calibration) << "850"
                                       << "-"
                                       << "-";
}

void TestSettingsFile::fieldPassTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, slot);
    QFETCH(QString, shown);
    QFETCH(QString, corrected);

    const auto text =
        loadedFieldText(FieldKind(kind), slot == "unset" ? std::nullopt : std::optional(slot));
    QCOMPARE(text.value_or("-"), shown);
    if (text)
        QCOMPARE(loadedFieldCorrection(FieldKind(kind), *text).value_or("-"), corrected);
}

// Whatever well-formed table and logo are saved come back slot for slot,
// except the disabled flags, which are not read.
void TestSettingsFile::randomTablesRoundTrip()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 500; ++round) {
        SettingsTable saved;
        for (int slot = 0; slot < SettingsTable::UsedSlots; ++slot) {
            const int width = int(SettingsTable::defaultText(slot).size());
            const int value = random.bounded(width == 2 ? 256 : 65536);
            saved.setSlot(slot, width == 2 ? twoDigitForm(value) : fourDigitForm(value));
        }
        QString logo;
        for (int i = random.bounded(40); i > 0; --i) {
            const char16_t c = char16_t(random.bounded(1, 256));
            if (c != '\r' && c != '\n')
                logo += QChar(c);
        }

        SettingsTable loaded;
        SettingsFileLoader loader(loaded);
        std::optional<QString> loadedLogo;
        for (const QString &line : settingsFileLines(settingsFileBytes(saved, logo))) {
            if (const auto read = loader.takeLine(line))
                loadedLogo = read;
        }
        QVERIFY(loader.skipped().isEmpty());
        QCOMPARE(loadedLogo, std::optional(logo));
        for (int slot = 0; slot <= 32; ++slot)
            QCOMPARE(loaded.slot(slot), saved.slot(slot));
        QVERIFY(!loaded.slot(33) && !loaded.slot(34));
    }
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
