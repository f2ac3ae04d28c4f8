// The rules that need no window: the field editors and key filters, the
// settings frame, Save, Load and Read as operations on the setting fields,
// and the geometry records of the proportional layout.
#include "BrewerOperations.h"
#include "Cases.h"
#include "Controls.h"
#include "DataRow.h"
#include "FieldEditors.h"
#include "GeometryRecord.h"
#include "HeldSettings.h"
#include "Invariants.h"
#include "SentValues.h"
#include "SettingsFileAccess.h"
#include "SettingsFileOperations.h"
#include "SlotForms.h"
#include "WindowFit.h"

#include <QDir>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

using namespace operations;

namespace {

// "slot=text" pairs joined by spaces, then " -> rewrite" if the field is rewritten.
QString describe(const FieldEdit &edit)
{
    QStringList parts;
    for (const SlotWrite &write : edit.writes)
        parts << QStringLiteral("%1=%2").arg(write.slot).arg(write.text);
    return parts.join(' ') + (edit.rewrite ? " -> " + *edit.rewrite : QString());
}

// The characters of `typed` that `filter` lets through.
QString passing(const QString &typed, bool (*filter)(char16_t))
{
    QString result;
    for (QChar c : typed) {
        if (filter(c.unicode()))
            result += c;
    }
    return result;
}

} // namespace

class TestCore : public QObject
{
    Q_OBJECT

private slots:
    void editors_data();
    void editors();
    void keyFilters();
    void frameBytes();
    void frameRefusals_data();
    void frameRefusals();
    void sentValues_data();
    void sentValues();
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
    void portChoices();
    void maximizedWhereUnknown();
    void geometryRecords();
};

void TestCore::editors_data()
{
    addColumns<int, QString, QString>("field", "text", "expected"); // index into settingFields()

    // Pulse and volume fields: 0..102 in two digits, else 102 shown.
    addRow("pulse 10", 2, "10", "2=0A");
    addRow("pulse 102", 6, "102", "6=66");
    addRow("pulse 103", 7, "103", "7=66 -> 102");
    addRow("volume 999", 8, "999", "8=66 -> 102");
    addRow("leading zeros", 11, "015", "11=0F");
    addRow("negative", 12, "-1", "12=66 -> 102");
    addRow("huge", 13, "99999999999999999999999", "13=66 -> 102");
    addRow("blank reads 0", 14, "", "14=00");
    addRow("not a number", 15, "1a", "");
    addRow("fraction rounds to even", 16, "4.5", "16=04");
    addRow("fraction over range", 17, "102.1", "17=66 -> 102");

    // Counts: 0..9999 in four digits, else 9999 shown; "OFF" sets the flag.
    addRow("count 9999", 27, "9999", "27=270F");
    addRow("count 10000", 27, "10000", "27=270F -> 9999");
    addRow("count fraction", 27, " 12.5 ", "27=000C");
    addRow("OFF", 28, "OFF", "33=01");
    addRow("off in lower case", 28, "off", "33=00");
    addRow("center 12", 28, "12", "33=00 28=000C");
    addRow("right over", 29, "12345", "34=00 29=270F -> 9999");

    // Calibration: range tested before rounding, ties to even, never rewritten.
    addRow("cal 97.8", 30, "97.8", "30=094E");
    addRow("cal 70", 30, "70", "30=0700");
    addRow("cal 69.96", 30, "69.96", "30=0850");
    addRow("cal 105.04", 30, "105.04", "30=0850");
    addRow("cal 104.96", 30, "104.96", "30=0A32");
    addRow("cal tie to even down", 30, "70.05", "30=0700");
    addRow("cal tie to even up", 30, "70.15", "30=0702");
    addRow("cal above tie", 30, "70.051", "30=0701");

    // Pump and drip: out of range stores 100 and 90, never rewritten.
    addRow("pump 70", 31, "70", "31=46");
    addRow("pump 69", 31, "69", "31=64");
    addRow("pump 101", 31, "101", "31=64");
    addRow("drip 70", 32, "70", "32=46");
    addRow("drip 105", 32, "105", "32=69");
    addRow("drip 106", 32, "106", "32=5A");
    addRow("drip 69", 32, "69", "32=5A");
}

void TestCore::editors()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QTEST(describe(editField(settingFields().at(field), text)), "expected");
}

void TestCore::keyFilters()
{
    const QString typed = QString::fromUtf16(u"0189AZaz \b/:@[`{-.\r\x03\x16\x18\u00e9");
    QCOMPARE(passing(typed, digitFilterPasses), "0189\b\x03\x16\x18");
    QCOMPARE(passing(typed, logoFilterPasses), "0189AZaz \b\x03\x16\x18");
    // An edit keeps what it brought in that the field takes, within the limit.
    const KeptEdit pasted = keptEdit("10", "11.5x0", isDigitCharacter);
    QCOMPARE(pasted.text + '|' + pasted.dropped, "1150|.x");
    QCOMPARE(pasted.cursor, 3);
    QCOMPARE(keptEdit("ABCDEFGHIJKLMN", "ABCDEF-GHIJKLMN", isLogoCharacter, 16).text,
             "ABCDEFGHIJKLMN");
    QCOMPARE(keptEdit("A-B", "A-BCD", isLogoCharacter, 4).text, "A-BC");
}

// Every slot in its place on the wire, and read back by the parser that the
// simulated brewer uses.
void TestCore::frameBytes()
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
    for (const qsizetype at : {qsizetype(5), frame.size() - 1}) // a digit, the closing ")"
        QCOMPARE(parseSettingsFrame(QByteArray(frame).replace(at, 1, "g")).status,
                 ParsedFrame::Status::Malformed);
    const ParsedFrame junk = parseSettingsFrame("xyz" + frame); // skipped up to the next frame
    QVERIFY(junk.status == ParsedFrame::Status::Malformed && junk.length == 3);
    const ParsedFrame longLogo = parseSettingsFrame("$$" + QByteArray(17, 'A') + "/&");
    QVERIFY(longLogo.status == ParsedFrame::Status::Malformed && longLogo.problem.contains("19"));
}

void TestCore::frameRefusals_data()
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
    addRow("delete", 0, "66", "\x7f", "cannot show");
    addRow("Latin-1 letter", 0, "66", QString::fromLatin1("Caf\xe9"), "cannot show");
    addRow("punctuation is printable", 0, "66", "Joe's #1 ~$&)", "");
    addRow("too long to be sent at all", 0, "66", QString::fromLatin1("\x01\xe9 more than sixteen"),
           "");
}

void TestCore::frameRefusals()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, logo);
    QFETCH(QString, refusal);

    SettingsTable table; // every default, and `text` in `slot`
    for (int i = 0; i < UsedSlots; ++i)
        table.setSlot(i, i == slot ? text : SettingsTable::defaultText(i));
    if (text == "unset")
        table = SettingsTable(); // nothing in any slot
    const SettingsFrame frame = buildSettingsFrame(table, logo);
    if (refusal.isEmpty())
        QCOMPARE(frameProblem(frame.bytes, table, logo), QString());
    else
        QVERIFY2(frame.bytes.isEmpty() && frame.refusal.contains(refusal),
                 qPrintable(frame.refusal));
}

// Save writes the defaults into the table and the exact file; a file that
// cannot be written, whole or in part, leaves the old one as it was and
// says why.
void TestCore::sentValues_data()
{
    // The texts typed into the field, in turn, and how Send treats the last.
    addColumns<QString, QStringList, QString>("field", "typed", "sent");
    addRow("in range", "pump", QStringList{"80"}, "as shown 80");
    addRow("102 stands for zero", "left.pulse2", QStringList{"102"}, "as shown 102");
    addRow("untouched pulse", "left.pulse2", QStringList(), "as shown 102");
    addRow("untouched pump", "pump", QStringList(), "as shown 0");
    addRow("disabled", "center.count", QStringList{"12", "OFF"}, "as shown OFF");
    addRow("out of range", "pump", QStringList{"5"},
           "replaced 100: out of range 70 to 100 percent: 100 is sent");
    addRow("blank reads 0", "drip", QStringList{""},
           "replaced 90: out of range 70 to 105 seconds: 90 is sent");
    addRow("not a number", "calibration", QStringList{"85", "12abc"},
           "replaced 85: not a number: 85 is sent");
    addRow("never a number", "left.count", QStringList{"x1"},
           "replaced 0: not a number: 0 is sent");
    addRow("rounded", "calibration", QStringList{"97.85"}, "replaced 97.8: rounded: 97.8 is sent");
    addRow("untouched volume", "left.volume", QStringList(),
           "default 102: unchanged 0: the default 102 is sent");
    addRow("typed 0 volume", "left.volume", QStringList{"5", "0"},
           "default 102: 0 means not set: the default 102 is sent");
}

// What the field shows beside what Send would put on the line, and why
// they differ; only what Send replaces is listed with its notice.
void TestCore::sentValues()
{
    QFETCH(QString, field);
    QFETCH(QStringList, typed);
    SettingsForm form;
    for (const QString &text : typed)
        form.setText(fieldIndex(field), text);
    const SentValue value = sentValue(form, fieldIndex(field));
    const QString kinds[] = {"as shown", "default", "replaced"};
    QTEST(QStringLiteral("%1 %2").arg(kinds[int(value.kind)], value.sent) +
              (value.reason.isEmpty() ? "" : ": " + value.reason),
          "sent");
    QCOMPARE(replacedValues(form).size(), value.kind == SentValue::Kind::Replaced ? 1 : 0);
}

void TestCore::save()
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    SettingsForm form;
    form.setText(fieldIndex("right.pulse2"), "10");
    const SaveOutcome saved = saveSettings(form, "Hi \"1\"", path);
    QCOMPARE(saved.notice().text, " <PELN PROGRAM DATA.TXT>  Save successful!");
    QCOMPARE(tableProblem(form.table(), true), QString()); // the defaults stay
    const auto written = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray first = written();
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
    QCOMPARE(written(), first);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// The settings file lives beside the program, or, where the program is
// installed system-wide, in the user's data folder, which the first Save
// makes. This build is the first kind.
void TestCore::settingsHome()
{
    QCOMPARE(settingsFolder(SettingsHome::BesideProgram), QCoreApplication::applicationDirPath());
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

void TestCore::load_data()
{
    addColumns<QByteArray, QStringList, QString>("bytes", "expected", "notice");
    for (const LoadCase &each : loadCases())
        addRow(each.name, each.bytes, each.expected, each.notice);
}

void TestCore::load()
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

void TestCore::unreadableFile_data()
{
    addColumns<int, bool>("cause", "read");
    addRow("missing file", 0, false);
    addRow("a folder in its place", 1, false);
    addRow("too large for a settings file", 2, false);
    addRow("as large as a settings file may be", 3, true);
}

// A file that cannot be read changes no field, slot or logo, and the
// notice names the file.
void TestCore::unreadableFile()
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
    const LoadOutcome loaded = loadSettingsFile(form, path);
    QCOMPARE(loaded.read(), read);
    QVERIFY2(read || (loaded.notice().details.startsWith(path + " could not be read: ") &&
                      loaded.notice().details.endsWith("No setting was changed.")),
             qPrintable(loaded.notice().details));
    QCOMPARE(differences({"left.pulse3=12", "2=0C", "0=unset"},
                         [&](const QString &key) { return formHolds(form, key); }),
             "");
}

void TestCore::reply_data()
{
    addColumns<QByteArray, QStringList>("bytes", "expected");
    for (const ReplyCase &each : replyCases())
        addRow(each.name, each.bytes, each.expected);
}

// A read leaves the counts to write, the flags and the calibration alone; a
// bad one leaves every field and slot.
void TestCore::reply()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    SettingsForm form;
    for (const QString &item : replyStartFields())
        form.setText(fieldIndex(item.section('=', 0, 0)), item.section('=', 1));
    const QStringList before = formState(form);
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
    if (!reply.good())
        QCOMPARE(formState(form), before);
}

// A record is four numbers each followed by four spaces; one that does not
// read places nothing. Pixels are rounded each on its own, halves away from
// zero, within the sizes a widget can take.
using ByteChanges = QList<std::pair<int, int>>;

void TestCore::heldSettings_data()
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
void TestCore::heldSettings()
{
    QFETCH(QStringList, sent);
    QFETCH(ByteChanges, held);
    SettingsTable table; // what record() holds
    for (int i = 0; i < ButtonSlots; ++i)
        table.setSlot(i, twoDigitForm(i + 1));
    for (const char *slot : {"30=0850", "31=64", "32=5A"})
        sent.prepend(slot);
    for (const QString &slot : sent)
        table.setSlot(slot.section('=', 0, 0).toInt(), slot.section('=', 1));
    table.FillDefaults();
    const QByteArray frame = buildSettingsFrame(table, "Hi").bytes;
    const auto report = decodeReply(replyPieces(replyDump(record(held))));
    const auto differences = heldDifferences(frame, *report);
    QTEST(heldDifferencesText(differences.value(), QTime(14, 2)), "told");
    QVERIFY(!heldDifferences(frame.chopped(1), *report));
}

// The port box's entries stand for the system's ports by their number;
// anything else typed is a device's name.
void TestCore::portChoices()
{
#ifdef Q_OS_WIN
    const QStringList devices = {"COM1", "COM16", "COM17"};
#else
    const QStringList devices = {"/dev/ttyS0", "/dev/ttyS15", "COM17"};
#endif
    QCOMPARE(QStringList({portChoiceDevice(portChoiceText(0)), portChoiceDevice("COM16"),
                          portChoiceDevice("COM17")}),
             devices);
}

// A window that cannot learn its space (Wayland) opens maximized where its
// design with a title bar and a panel would not fit the screen; one that
// can fits itself.
void TestCore::maximizedWhereUnknown()
{
    const QSize design(969, 721);
    QVERIFY(opensMaximized(design, {1024, 600}, false));
    QVERIFY(opensMaximized(design, QSize(1366, 768) / 1.5, false)); // at 150 %
    QVERIFY(!opensMaximized(design, {1024, 600}, true));
    QVERIFY(!opensMaximized(design, {1920, 1080}, false));
}

void TestCore::geometryRecords()
{
    for (const char *text : {"120    960    14175    ", "120   960   14175   1935   ",
                             "1 2    960    14175    1935    ", "120    960    nan    1935    ",
                             "120    960    -15    1935    ", "1    2    3    4    5    "})
        QVERIFY2(!GeometryRecord::fromText(QString(text)), text);
    QVERIFY((GeometryRecord::fromText(QString("  -15      0.5    0    16777216    ")) ==
             GeometryRecord{-15, 0.5, 0, 16777216}));
    QCOMPARE(GeometryRecord({120, 960, 14175, 1935}).toText(), "120    960    14175    1935    ");
    // 14175 * 1453 / 969 / 15 is 1417.01; 1935 * 1.5 / 15 is 193.5.
    QCOMPARE(GeometryRecord({120, 960, 14175, 1935}).scaled(1453.0 / 969, 1.5).toPixels(),
             QRect(12, 96, 1417, 194));
    QCOMPARE(GeometryRecord({-7.5, 7.5, 22.4, 7.49}).toPixels(), QRect(-1, 1, 1, 0));
    QCOMPARE(GeometryRecord({-1e300, 1e300, 1e300, 0}).toPixels(),
             QRect(-16777215, 16777215, 16777215, 0));
}

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
