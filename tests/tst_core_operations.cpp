// Save, Load and Read as operations on the setting fields, without a
// window: the settings frame byte for byte and its refusals, the exact file
// Save writes and where, every rule of Load and Read on the core's cases,
// and the brewer's record compared with the frame sent.
#include "BrewerOperations.h"
#include "Cases.h"
#include "Controls.h"
#include "DataRow.h"
#include "HeldSettings.h"
#include "Invariants.h"
#include "PseudoTerminalLine.h"
#include "SettingsFileAccess.h"
#include "SettingsFileOperations.h"
#include "SlotForms.h"

#include <QDir>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

using namespace operations;

class TestCoreOperations : public QObject
{
    Q_OBJECT

private slots:
    void frameBytes();
    void frameRefusals_data();
    void frameRefusals();
    void save();
    void settingsHome();
    void load_data();
    void load();
    void unreadableFile_data();
    void unreadableFile();
    void reply_data();
    void reply();
    void heldSettings_data();
    void heldSettings();
    void stalledLine();
};

// Every slot in its place on the wire, and read back by the parser that the
// simulated brewer uses.
void TestCoreOperations::frameBytes()
{
    SettingsTable table;
    const QStringList rest = {"1001", "1002", "1003", "094E", "46", "5A", "00", "01"};
    for (int i = 0; i < UsedSlots; ++i)
        table.setSlot(i, i < 27 ? twoDigitForm(i + 1) : rest[i - 27]);
    const QByteArray frame = buildSettingsFrame(table, "X").bytes;
    QCOMPARE(frame, QByteArray("$$X/&0102030405060708090A0B0C0D0E0F101112131415161718191A1B"
                               "100110021003" // counts 27..29
                               "0001"         // flags 33, 34
                               "094E465A)")); // calibration 30, pump 31, drip 32
    QCOMPARE(frameProblem(frame, table, "X"), QString());

    QCOMPARE(parseSettingsFrame(frame + frame).length, frame.size());
    QCOMPARE(parseSettingsFrame(frame.left(60)).status, ParsedFrame::Status::Incomplete);
    // A byte out of place is named, as a character or in hexadecimal.
    const QList<std::pair<QByteArray, QString>> faults = {
        {QByteArray(frame).replace(4, 1, "g"),
         "byte 5 is \"g\": expected \"&\", the start of the settings"},
        {QByteArray(frame).replace(5, 1, "\x1F"),
         "byte 6 is 0x1F: expected a hexadecimal digit 0-9 or A-F"},
        {frame.chopped(1) + "g", "byte 84 is \"g\": expected \")\", the end of the settings"}};
    for (const auto &[bytes, problem] : faults) {
        const ParsedFrame bad = parseSettingsFrame(bytes);
        QVERIFY(bad.status == ParsedFrame::Status::Malformed);
        QCOMPARE(bad.problem, problem);
    }
    const ParsedFrame junk = parseSettingsFrame("xyz" + frame); // skipped up to the next frame
    QVERIFY(junk.status == ParsedFrame::Status::Malformed && junk.length == 3);
    const ParsedFrame longLogo = parseSettingsFrame("$$" + QByteArray(17, 'A') + "/&");
    QVERIFY(longLogo.status == ParsedFrame::Status::Malformed && longLogo.problem.contains("19"));
}

void TestCoreOperations::frameRefusals_data()
{
    addColumns<int, QString, QString, QString>("slot", "text", "logo", "refusal"); // "": sent

    // A slot that would misalign the frame; the user is told which one.
    addRow("unset", 0, "unset", "",
           "setting 1 holds nothing, which is not a setting the brewer can take. Type a value");
    addRow("one digit", 5, "6", "", "Left Button pulse brew setting 6 holds \"6\"");
    addRow("volume", 17, "666", "", "Center Button volume holds \"666\"");
    addRow("quote and comma", 31, "\",", "", "Pump working speed holds \"\",\"");
    addRow("three-digit calibration", 30, "850", "", "calibration, new setting holds \"850\"");
    addRow("flag", 33, "1", "",
           "Center Button disabled flag holds \"1\", which is not a setting the brewer can take.");

    // A logo loaded from a damaged file can hold any character but a line end.
    addRow("slash ends the logo", 0, "66", "A/B", "holds \"/\"");
    addRow("beyond one byte", 0, "66", QString::fromUtf16(u"Caf\u20ac"), "as one byte");
    addRow("control character", 0, "66", "Hot\x01", "code 1, which the brewer cannot show");
    addRow("delete, past the printable", 0, "66", "\x7f", "cannot show");
    addRow("punctuation is printable", 0, "66", "Joe's #1 ~$&)", "");
    addRow("too long to be sent at all", 0, "66", QString::fromLatin1("\x01\xe9 more than sixteen"),
           "");
}

void TestCoreOperations::frameRefusals()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, logo);
    QFETCH(QString, refusal);

    SettingsTable table; // every default and `text` in `slot`, or nothing in any slot
    for (int i = 0; text != "unset" && i < UsedSlots; ++i)
        table.setSlot(i, i == slot ? text : SettingsTable::defaultText(i));
    const SettingsFrame frame = buildSettingsFrame(table, logo);
    if (refusal.isEmpty())
        QCOMPARE(frameProblem(frame.bytes, table, logo), QString());
    else // a flag has no field to type a value into
        QVERIFY2(frame.bytes.isEmpty() && frame.refusal.contains(refusal) &&
                     (slot < FirstFlagSlot || !frame.refusal.contains("Type a value")),
                 qPrintable(frame.refusal));
}

// Save writes the defaults into the table and the exact file; a file that
// cannot be written, whole or in part, leaves the old one as it was and
// says why.
void TestCoreOperations::save()
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    SettingsForm form;
    form.setText(fieldIndex("right.pulse2"), "10");
    QCOMPARE(saveSettings(form, "Hi \"1\"", path).notice().text,
             " <PELN PROGRAM DATA.TXT>  Save successful!");
    QCOMPARE(tableProblem(form.table(), true), QString()); // the defaults stay
    const QByteArray first = fileBytes(path);
    QCOMPARE(first, fileWith({R"(2:"Logo","Hi "1"")",
                              R"(5:"#3 Button","66","0A","66","66","66","66","66","66","66",)"}));

#ifdef Q_OS_WIN
    // Another program holds the file open, sharing it with no one: the new
    // file cannot take its place. No temporary file is left behind either.
    const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ,
                                    0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(held != INVALID_HANDLE_VALUE);
    const SaveOutcome cut = saveSettings(form, "", path);
    CloseHandle(held);
    QVERIFY(!cut.saved() && !cut.failure.isEmpty());
#else
    // A disk that fills up half way, simulated by a limit on file size: no
    // temporary file is left behind either.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const rlimit small{100, previous.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveOutcome cut = saveSettings(form, "", path);
    setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(cut.failure, "File too large");
#endif
    QCOMPARE(fileBytes(path), first);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// The settings file lives beside the program, or, where the program is
// installed system-wide, in the user's data folder, which the first Save
// makes. This build is the first kind.
void TestCoreOperations::settingsHome()
{
    QCOMPARE(defaultSettingsFilePath(),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                      "/PELN PROGRAM DATA.TXT"));
#ifdef Q_OS_WIN
    // The user's own data folder is the system's; nothing is saved there.
    QCOMPARE(QDir::toNativeSeparators(settingsFolder(SettingsHome::UserData)),
             qEnvironmentVariable("LOCALAPPDATA") + "\\PELN");
#else
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString userData = settingsFolder(SettingsHome::UserData);
    QCOMPARE(userData, data.path() + "/peln");
    SettingsForm form;
    QVERIFY(saveSettings(form, "", settingsFilePath(userData)).saved());
    QVERIFY(QFile::exists(userData + "/PELN PROGRAM DATA.TXT"));
    qunsetenv("XDG_DATA_HOME");
#endif
}

void TestCoreOperations::load_data()
{
    addColumns<QByteArray, QStringList, QString>("bytes", "expected", "notice");
    for (const LoadCase &each : loadCases())
        addRow(each.name, each.bytes, each.expected, each.notice);
}

void TestCoreOperations::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(QString, notice);

    SettingsForm form;
    for (int i = 0; i < SettingFieldCount; ++i)
        form.setText(i, "77");
    form.setText(fieldIndex("center.count"), "OFF");
    const LoadOutcome loaded = loadSettings(form, bytes);
    QCOMPARE(differences(expected,
                         [&](const QString &key) {
                             return key == "logo"       ? loaded.logo.value_or("OLD")
                                    : key == "lastLine" ? loaded.lastLine.value_or("")
                                                        : formHolds(form, key);
                         }),
             "");
    QCOMPARE(tableProblem(form.table()), QString());
    const Notice told = loaded.notice();
    QCOMPARE(told.text, notice.section('|', 0, 0));
    QCOMPARE(told.icon, notice == LoadedNotice ? Notice::Icon::Information : Notice::Icon::Warning);
    for (const QString &piece : notice.split('|').mid(1))
        QVERIFY2(told.details.contains(piece), qPrintable(told.details));
}

void TestCoreOperations::unreadableFile_data()
{
    addColumns<int, bool>("cause", "read");
    addRow("missing file", 0, false);
    addRow("a folder in its place", 1, false);
    addRow("too large for a settings file", 2, false);
    addRow("as large as a settings file may be", 3, true);
}

// A file that cannot be read changes no field, slot or logo, and the
// notice names the file.
void TestCoreOperations::unreadableFile()
{
    QFETCH(int, cause);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    QString reason;
    QVERIFY(cause != 1 || QDir().mkpath(path));
    QVERIFY(cause < 2 ||
            writeSettingsFile(path, QByteArray(SettingsFileSizeLimit + 3 - cause, '\n'), &reason));
    SettingsForm form;
    form.setText(fieldIndex("left.pulse3"), "12");
    const QStringList before = formState(form);
    const LoadOutcome loaded = loadSettingsFile(form, path);
    QCOMPARE(loaded.read(), read);
    QVERIFY2(read || (loaded.notice().details.startsWith(path + " could not be read: ") &&
                      loaded.notice().details.endsWith("No setting was changed.")),
             qPrintable(loaded.notice().details));
    QCOMPARE(formState(form), before);
}

void TestCoreOperations::reply_data()
{
    addColumns<QByteArray, QStringList>("bytes", "expected");
    for (const ReplyCase &each : replyCases())
        addRow(each.name, each.bytes, each.expected);
}

// A read leaves the counts to write, the flags and the calibration alone
// (that a bad one changes no field and no slot, the window's Read checks).
void TestCoreOperations::reply()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    SettingsForm form;
    for (const QString &item : replyStartFields())
        form.setText(fieldIndex(item.section('=', 0, 0)), item.section('=', 1));
    const ReplyOutcome reply = takeReply(form, bytes);
    QCOMPARE(reply.good(), bytes.startsWith("\xff\xaa") && bytes.size() >= 39);
    QCOMPARE(differences(expected + QStringList{"27=000C", "33=01", "30=094E", "calibration=97.8"},
                         [&](const QString &key) {
                             return key.startsWith("total") ? reply.totals[key.right(1).toInt()]
                                    : key == "brewer"       ? reply.calibration
                                    : key == "problem"      ? reply.problem()
                                                            : formHolds(form, key);
                         }),
             "");
}

using ByteChanges = QList<std::pair<int, int>>;

void TestCoreOperations::heldSettings_data()
{
    // The slots of the frame sent that differ from record()'s, and the bytes
    // of record() that the brewer's reply changes.
    addColumns<QStringList, ByteChanges, QString>("sent", "held", "told");
    addRow("identical", QStringList(), ByteChanges(),
           "The brewer holds every setting sent at 14:02.");
    addRow("one slot off", QStringList(), ByteChanges{{11, 30}},
           "1 setting differs from what was sent at 14:02: Left Button pulse brew setting 3 "
           "(sent 3, brewer 30).");
    addRow("102 stands for zero, 100 is the pump's", QStringList{"0=66", "31=64"},
           ByteChanges{{9, 102}}, "The brewer holds every setting sent at 14:02.");
    addRow("a record from before the Send", QStringList{"0=0A", "30=094E", "31=50"}, ByteChanges(),
           "3 settings differ from what was sent at 14:02: Left Button pulse brew setting 1 (sent "
           "10, brewer 1), Flowmeter calibration, new setting (sent 97.8, brewer 88), Pump working "
           "speed (sent 80, brewer 100).");
}

// Read compares the brewer's record with the last frame sent: the button
// settings, calibration, pump speed and drip time, as the fields show them.
void TestCoreOperations::heldSettings()
{
    QFETCH(QStringList, sent);
    QFETCH(ByteChanges, held);
    SettingsTable table; // what record() holds
    for (int i = 0; i < ButtonSlots; ++i)
        table.setSlot(i, twoDigitForm(i + 1));
    for (const QString &slot : QStringList{"30=0850", "31=64", "32=5A"} + sent)
        table.setSlot(slot.section('=', 0, 0).toInt(), slot.section('=', 1));
    table.FillDefaults();
    const QByteArray frame = buildSettingsFrame(table, "Hi").bytes;
    const auto report = decodeReply(replyPieces(replyDump(record(held))));
    QTEST(heldDifferencesText(heldDifferences(frame, *report).value(), QTime(14, 2)), "told");
    QVERIFY(!heldDifferences(frame.chopped(1), *report));
}

// A device that takes no more data: Send gives up in time and says how long
// it waited, the window once the bytes were 3 seconds in the port, the
// command line, which waits until they have left it, after 5.
void TestCoreOperations::stalledLine()
{
    for (const auto &[wait, seconds] :
         {std::pair(SendWait::UntilQueued, 3), {SendWait::UntilOnLine, 5}}) {
        PseudoTerminalLine line; // nobody reads its far end
        if (!line.open(false))
            QSKIP(qPrintable("no line to stall: " + line.errorString()));
        SerialLink link;
        link.setDeviceName(line.devicePath());
        QVERIFY2(link.open(), qPrintable(link.errorString()));
        const SendOutcome sent = sendFrame(link, {QByteArray(1 << 20, 'x'), {}}, wait);
        QVERIFY(sent.result == SendOutcome::Result::LineFailed && !link.isOpen());
        QCOMPARE(sent.reason, QString("The device took no data for %1 seconds").arg(seconds));
    }
}

QTEST_GUILESS_MAIN(TestCoreOperations)
#include "tst_core_operations.moc"
