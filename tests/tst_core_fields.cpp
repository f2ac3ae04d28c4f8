// The rules of the setting fields without a window: every field editor,
// the key filters and what an edit keeps, what Send would send beside what
// a field shows, the port box's entries, and the layout's geometry records
// and fit to the screen.
#include "BrewerOperations.h"
#include "Controls.h"
#include "DataRow.h"
#include "FieldEditors.h"
#include "GeometryRecord.h"
#include "SentValues.h"
#include "WindowFit.h"

#include <QTest>

using namespace operations;

class TestCoreFields : public QObject
{
    Q_OBJECT

private slots:
    void editors_data();
    void editors();
    void keyFilters();
    void sentValues_data();
    void sentValues();
    void portChoices();
    void maximizedWhereUnknown();
    void geometryRecords();
};

void TestCoreFields::editors_data()
{
    addColumns<int, QString, QString>("field", "text", "expected"); // index into settingFields()
    // Rows "field|text|expected": the slots written, then " -> " and what the
    // field is rewritten to, if it is.
    const auto rows = [](const QStringList &rows) {
        for (const QString &row : rows)
            addRow(qPrintable(row), row.section('|', 0, 0).toInt(), row.section('|', 1, 1),
                   row.section('|', 2));
    };
    // Pulse and volume fields: 0..102 in two digits, else 102 shown; a blank
    // reads 0, a fraction rounds to even, what is no number writes nothing.
    rows({"2|10|2=0A", "6|102|6=66", "7|103|7=66 -> 102", "8|999|8=66 -> 102", "11|015|11=0F",
          "12|-1|12=66 -> 102", "13|99999999999999999999999|13=66 -> 102", "14||14=00", "15|1a|",
          "16|4.5|16=04", "17|102.1|17=66 -> 102"});
    // Counts: 0..9999 in four digits, else 9999 shown; "OFF" sets the flag.
    rows({"27|9999|27=270F", "27|10000|27=270F -> 9999", "27| 12.5 |27=000C", "28|OFF|33=01",
          "28|off|33=00", "28|12|33=00 28=000C", "29|12345|34=00 29=270F -> 9999"});
    // Calibration: range tested before rounding, ties to even, never rewritten.
    rows({"30|97.8|30=094E", "30|70|30=0700", "30|69.96|30=0850", "30|105.04|30=0850",
          "30|104.96|30=0A32", "30|70.05|30=0700", "30|70.15|30=0702", "30|70.051|30=0701"});
    // Pump and drip: out of range stores 100 and 90, never rewritten.
    rows({"31|70|31=46", "31|69|31=64", "31|101|31=64", "32|70|32=46", "32|105|32=69",
          "32|106|32=5A", "32|69|32=5A"});
}

void TestCoreFields::editors()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    const FieldEdit edit = editField(settingFields().at(field), text);
    QStringList writes;
    for (const SlotWrite &write : edit.writes)
        writes << QStringLiteral("%1=%2").arg(write.slot).arg(write.text);
    QTEST(writes.join(' ') + (edit.rewrite ? " -> " + *edit.rewrite : QString()), "expected");
}

void TestCoreFields::keyFilters()
{
    // The characters that `filter` lets through.
    const auto passing = [](bool (*filter)(char16_t)) {
        return QString::fromUtf16(u"0189AZaz \b/:@[`{-.\r\x03\x16\x18\u00e9")
            .removeIf([&](QChar c) { return !filter(c.unicode()); });
    };
    QCOMPARE(passing(digitFilterPasses), "0189\b\x03\x16\x18");
    QCOMPARE(passing(logoFilterPasses), "0189AZaz \b\x03\x16\x18");
    // An edit keeps what it brought in that the field takes, within the limit.
    const KeptEdit pasted = keptEdit("10", "11.5x0", isDigitCharacter);
    QCOMPARE(pasted.text + '|' + pasted.dropped, "1150|.x");
    QCOMPARE(pasted.cursor, 3);
    QCOMPARE(keptEdit("ABCDEFGHIJKLMN", "ABCDEF-GHIJKLMN", isLogoCharacter, 16).text,
             "ABCDEFGHIJKLMN");
    QCOMPARE(keptEdit("A-B", "A-BCD", isLogoCharacter, 4).text, "A-BC");
    // A calibration slot holds its tenths as two pairs of hex digits,
    // hundreds and the rest (0850: 8 and 80, 88); a pair that is no number
    // leaves no value to show.
    QCOMPARE(QList({loadedFieldText(FieldKind::Calibration, "0850"),
                    loadedFieldText(FieldKind::Calibration, "08ZZ"),
                    loadedFieldText(FieldKind::Calibration, "ZZ50")}),
             QList<std::optional<QString>>({"88", std::nullopt, std::nullopt}));
}

void TestCoreFields::sentValues_data()
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
void TestCoreFields::sentValues()
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

// The port box's entries stand for the system's ports by their number;
// anything else typed is a device's name.
void TestCoreFields::portChoices()
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
void TestCoreFields::maximizedWhereUnknown()
{
    const QSize design(969, 721);
    QVERIFY(opensMaximized(design, {1024, 600}, false));
    QVERIFY(opensMaximized(design, QSize(1366, 768) / 1.5, false)); // at 150 %
    QVERIFY(!opensMaximized(design, {1024, 600}, true));
    QVERIFY(!opensMaximized(design, {1920, 1080}, false));
}

// A record is four numbers each followed by four spaces; one that does not
// read places nothing. Pixels are rounded each on its own, halves away from
// zero, within the sizes a widget can take.
void TestCoreFields::geometryRecords()
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

QTEST_GUILESS_MAIN(TestCoreFields)
#include "tst_core_fields.moc"
