#include "DataRow.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileSamples.h"
#include "TableInvariants.h"
#include "WindowUnderTest.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QString FileName = "PELN PROGRAM DATA.TXT";
const QString Loaded = " <PELN PROGRAM DATA.TXT>  Load successful!";
const QString Damaged = " <PELN PROGRAM DATA.TXT>  Loaded, but some values were damaged!";

// The default file with lines replaced: "N:text" sets line N (1-based),
// adding empty lines up to it where the file is shorter.
QStringList editedLines(const QStringList &edits)
{
    QStringList lines = defaultFileLines();
    for (const QString &edit : edits) {
        const int number = edit.section(':', 0, 0).toInt();
        while (lines.size() < number)
            lines << QString();
        lines[number - 1] = edit.section(':', 1);
    }
    return lines;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestSaveLoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exampleLines();
    void failedWriteLeavesOldFile();
    void saveOfFreshWindow();
    void failedSave();
    void load_data();
    void load();
    void loadFailures_data();
    void loadFailures();
    void roundTrips();

private:
    QString filePath() const { return m_dir->filePath(FileName); }
    void newWindow();
    void writeFile(const QByteArray &bytes);
    // The one notice shown since the last call, or a description of what
    // was shown instead; every notice of Save and Load has the caption "Message".
    NoticeCatcher::Notice onlyNotice();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<WindowUnderTest> w;
};

void TestSaveLoad::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    newWindow();
}

void TestSaveLoad::cleanup()
{
    w.reset();
    m_dir.reset();
}

void TestSaveLoad::newWindow()
{
    w.reset();
    w = std::make_unique<WindowUnderTest>();
    w->form.setSettingsDirectory(m_dir->path());
    QVERIFY(QTest::qWaitForWindowExposed(&w->form));
}

void TestSaveLoad::writeFile(const QByteArray &bytes)
{
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

NoticeCatcher::Notice TestSaveLoad::onlyNotice()
{
    const auto notices = w->notices.notices();
    w->notices.clear();
    if (notices.size() != 1)
        return {QStringLiteral("<%1 notices>").arg(notices.size()), {}, {}, {}, {}};
    if (notices.first().title != "Message" || notices.first().buttons != QMessageBox::Ok)
        return {"<caption " + notices.first().title + ">", {}, {}, {}, {}};
    return notices.first();
}

void TestSaveLoad::exampleLines()
{
    SettingsTable table;
    for (const char *item : {"27=00FA", "28=0000", "29=270F", "33=01", "34=00", "30=0850", "31=64",
                             "32=5A", "18=00", "19=0A", "26=40"})
        table.setSlot(QString(item).section('=', 0, 0).toInt(), QString(item).section('=', 1));
    table.FillDefaults();
    const QStringList lines = editedLines(
        {R"(2:"Logo","A"B")", R"(5:"#3 Button","66","0A","66","66","66","66","66","66","40",)",
         R"(6:"Total cups","00FA","0000","270F",)", R"(7:"Disable","01","00",)",
         R"(8:"Flowmeter","0850",)", R"(9:"Set pump speed","64",)", R"(10:"Drip out time","5A",)"});
    QCOMPARE(settingsFileBytes(table, R"(A"B)"), fileOf(lines));
}

// A disk that fills up half way, simulated by a limit on file size: the old
// file stays whole and no temporary file is left behind.
void TestSaveLoad::failedWriteLeavesOldFile()
{
#ifdef Q_OS_UNIX
    QString reason;
    QVERIFY(writeSettingsFile(filePath(), QByteArray(1000, 'x'), &reason));
    QVERIFY(writeSettingsFile(filePath(), "old settings", &reason));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeSettingsFile(filePath(), QByteArray(300, 'n'), &reason);
    setrlimit(RLIMIT_FSIZE, &previous);
    QVERIFY(!written);
    QCOMPARE(reason, "File too large");
    QCOMPARE(readAll(filePath()), "old settings");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), {FileName});
#else
    QSKIP("needs a limit on file size");
#endif
}

void TestSaveLoad::saveOfFreshWindow()
{
    QCOMPARE(w->form.settingsFilePath(), QDir::toNativeSeparators(filePath()));
    w->click("Command3");
    QCOMPARE(readAll(filePath()).size(), 314);
    QCOMPARE(readAll(filePath()), fileOf(defaultFileLines()));
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Save successful!");
    QCOMPARE(notice.icon, QMessageBox::Information);
    QCOMPARE(tableProblem(w->form.settingsTable(), true), QString()); // the defaults stay

    // A pulse of 0 is saved as 66, other values as their slots; saving again
    // without an edit gives the same file.
    w->set({"Text1=", "Text2=10", "Textsend=Fresh Brew"});
    w->click("Command3");
    const QByteArray first = readAll(filePath());
    QVERIFY(first.contains("\r\n\"Logo\",\"Fresh Brew\"\r\n\"#1 Button\",\"66\",\"0A\",\"66\","));
    w->click("Command3");
    QCOMPARE(readAll(filePath()), first);
    QCOMPARE(w->notices.notices().size(), 2);
}

void TestSaveLoad::failedSave()
{
    // A folder at the file's path: fails for every user, root included.
    QVERIFY(QDir(m_dir->path()).mkdir(FileName));
    w->click("Command3");
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Save failed!");
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(QDir::toNativeSeparators(filePath())) &&
                 notice.informativeText.contains("directory"),
             qPrintable(notice.informativeText));
    QVERIFY(QFileInfo(filePath()).isDir());

    // The folder it was to go into is gone.
    w->form.setSettingsDirectory(m_dir->filePath("removed"));
    w->click("Command3");
    QCOMPARE(onlyNotice().icon, QMessageBox::Warning);
}

// Load over a window whose fields all show 77 but Text13, which is "OFF".
void TestSaveLoad::load_data()
{
    addColumns<QByteArray, QStringList, QString, QString>("bytes", "expected", "notice",
                                                          "details"); // details: of a warning
    const auto row = [](const char *name, const QStringList &edits, const QStringList &expected) {
        QTest::newRow(name) << fileOf(editedLines(edits)) << expected << Loaded << QString();
    };
    const QString button = R"(4:"#2 Button","%1","02","03","04","05","06","07","08","%2",)";
    const QString bad = R"("#%1 Button","ZZ","ZZ","ZZ","ZZ","ZZ","ZZ","ZZ","ZZ","ZZ",)";

    QStringList defaults = {"Textsend=",  R"(Text18="Drip out time","00",)",
                            "Text11=0",   "Text13=0",
                            "Text15=0",   "Text17=88",
                            "Text19=100", "Text20=90",
                            "0=00",       "8=66",
                            "30=0850",    "31=64",
                            "32=5A"};
    for (int i = 0; i < 27; ++i)
        defaults << WindowUnderTest::gridName(i) + (i % 9 == 8 ? "=102" : "=0");
    row("default file", {}, defaults);
    row("calibration 094E", {R"(8:"Flowmeter","094E",)"}, {"Text17=97.8", "30=094E"});
    row("calibration 0850", {R"(8:"Flowmeter","0850",)"}, {"Text17=88", "30=0850"});
    row("calibration 0A33", {R"(8:"Flowmeter","0A33",)"}, {"Text17=88", "30=0850"});
    row("pump 46 stays", {R"(9:"Set pump speed","46",)"}, {"Text19=70", "31=46"});
    row("pump 65 to 100", {R"(9:"Set pump speed","65",)"}, {"Text19=100", "31=64"});
    row("drip 6A to 90", {R"(10:"Drip out time","6A",)"}, {"Text20=90", "32=5A"});
    row("drip 45 to 90", {R"(10:"Drip out time","45")"}, {"Text20=90", "32=5A"});
    row("pulse 0A", {button.arg("0A", "66")}, {"Text21=10", "9=0A"});
    row("pulse C8 to 0", {button.arg("C8", "66")}, {"Text21=0", "9=00"});
    row("volume C8 to 102", {button.arg("01", "C8")}, {"Text29=102", "17=66"});
    row("counts", {R"(6:"Total cups","00FA","0000","270F",)"}, {"Text11=250", "Text15=9999"});
    row("disable line not read",
        {R"(6:"Total cups","0001","0002","0003",)", R"(7:"Disable","01","01",)"},
        {"Text13=2", "Text15=3", "33=00", "34=00"});
    row("key in other case", {button.arg("0A", "66").replace("Button", "button")},
        {"Text21=77", "9=4D"});
    row("any first character", {"4:'" + button.arg("0A", "66").mid(3)}, {"Text21=10", "9=0A"});
    row("later line wins", {button.arg("0A", "66"), "11:" + button.arg("0B", "0C").mid(2)},
        {"Text21=11", "Text29=12", "17=0C"});
    row("logo without closing quote", {R"(2:"Logo","AB)"}, {"Textsend=A"});
    row("logo line of 5", {R"(2:"Logo)"}, {"Textsend="});
    row("logo key in lower case", {R"(2:"logo","AB")"}, {"Textsend=OLD"});
    row("lower-case digits", {R"(8:"Flowmeter","0a32",)"}, {"Text17=105", "30=0A32"});
    for (const char *end : {"\n", "\r"}) {
        QTest::newRow(end[0] == '\n' ? "LF line ends" : "CR line ends")
            << fileOf(editedLines({R"(8:"Flowmeter","094E",)"}), end) << QStringList{"Text17=97.8"}
            << Loaded << QString();
    }

    // A value that is not a slot text is skipped and named; its slot keeps its text.
    const QByteArray counts = fileOf(editedLines({R"(6:"Total cups","0001","0002","0003",)"}));
    addRow(
        "wide value shifts its line",
        fileOf(editedLines({R"(3:"#1 Button","0A00","02","03","04","05","06","07","08","09",)"})),
        QStringList{"Text1=10", "Text2=77", "1=4D"}, Damaged,
        QString(R"(Line 3, "#1 Button" value 2: ",")"));
    addRow("not hexadecimal", fileOf(editedLines({R"(9:"Set pump speed","5Z",)"})),
           QStringList{"Text19=77", "31=4D"}, Damaged,
           QString(R"(Line 9, "Set pump speed" value 1: "5Z")"));
    addRow("truncated in a count", counts.left(counts.indexOf("0003") + 2),
           QStringList{"Text13=2", "Text15=77", "29=004D"}, Damaged,
           QString(R"(Line 6, "Total cups" value 3: "00")"));
    addRow("many damaged values", fileOf(editedLines({"3:" + bad.arg(1), "4:" + bad.arg(2)})),
           QStringList{"Text2=77"}, Damaged, QString("\n... and 8 more"));
}

void TestSaveLoad::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(QString, details);

    for (const SettingField &setting : settingFields())
        w->child(setting.name)->setText("77");
    w->set({"Text13=OFF", "Textsend=OLD"});
    writeFile(bytes);
    w->click("Command5");
    QCOMPARE(w->observed(expected), expected);
    QCOMPARE(tableProblem(w->form.settingsTable()), QString());
    const auto notice = onlyNotice();
    QTEST(notice.text, "notice");
    QCOMPARE(notice.icon, details.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(details), qPrintable(notice.informativeText));
}

void TestSaveLoad::loadFailures_data()
{
    QTest::addColumn<int>("cause");
    addRow("missing file", 0);
    addRow("a folder in its place", 1);
    addRow("too large for a settings file", 2);
}

// A file that cannot be read changes no field, slot or logo.
void TestSaveLoad::loadFailures()
{
    QFETCH(int, cause);
    if (cause == 1)
        QVERIFY(QDir().mkpath(filePath()));
    if (cause == 2)
        writeFile(QByteArray(SettingsFileSizeLimit + 1, '\n'));
    w->set({"Text3=12", "Text17=97.8", "Textsend=KEEP"});
    w->click("Command5");
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Load failed!");
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(QDir::toNativeSeparators(filePath())),
             qPrintable(notice.informativeText));
    const QStringList kept = {"Text3=12",      "Text17=97.8", "Textsend=KEEP",
                              "Text18=Text18", "2=0C",        "0=unset"};
    QCOMPARE(w->observed(kept), kept);
}

// What a technician sets comes back after Save, closing the program,
// starting it again and Load, the logo byte for byte; a volume of 0 comes
// back as 102 and a pulse of 102, which means zero, as 0.
void TestSaveLoad::roundTrips()
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 20; ++round) {
        QStringList typed;
        for (int i = 0; i < 27; ++i)
            typed << QString::number(random.bounded(103));
        for (int i = 0; i < 3; ++i)
            typed << QString::number(random.bounded(10000));
        typed << QString::number(random.bounded(700, 1051) / 10.0)
              << QString::number(random.bounded(70, 101))
              << QString::number(random.bounded(70, 106));
        for (int i = 0; i < SettingFieldCount; ++i)
            w->child(settingFields()[i].name)->setText(typed[i]);
        const QString logo = QString::fromLatin1("Caf\xE9 \"%1\", longer than typing allows");
        w->child("Textsend")->setText(logo.arg(round));

        w->click("Command3");
        QVERIFY(readAll(filePath()).contains("\"Logo\",\"" + logo.arg(round).toLatin1() + "\"\r"));
        newWindow();
        w->click("Command5");
        QCOMPARE(onlyNotice().text, Loaded);

        QStringList expected = typed, shown;
        for (int i = 0; i < 27; ++i) {
            if (i % 9 == 8 && typed[i] == "0")
                expected[i] = "102";
            if (i % 9 != 8 && typed[i] == "102")
                expected[i] = "0";
        }
        for (const SettingField &setting : settingFields())
            shown << w->text(setting.name);
        QCOMPARE(shown, expected);
        QCOMPARE(w->text("Textsend"), logo.arg(round));
        QCOMPARE(tableProblem(w->form.settingsTable()), QString());
    }
}

QTEST_MAIN(TestSaveLoad)
#include "tst_saveload.moc"
