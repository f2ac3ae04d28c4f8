#include "FieldEditors.h"

#include "DataRow.h"

#include <QTest>

namespace {

// "slot=text" pairs joined by spaces, then " -> rewrite" if the field is rewritten.
QString describe(const FieldEdit &edit)
{
    QStringList parts;
    for (const SlotWrite &write : edit.writes)
        parts << QStringLiteral("%1=%2").arg(write.slot).arg(write.text);
    QString result = parts.join(' ');
    if (edit.rewrite)
        result += " -> " + *edit.rewrite;
    return result;
}

const SettingField &fieldNamed(const char *name)
{
    for (const SettingField &field : settingFields()) {
        if (qstrcmp(field.name, name) == 0)
            return field;
    }
    qFatal("no setting field %s", name);
}

} // namespace

class TestFieldEditors : public QObject
{
    Q_OBJECT

private slots:
    void editors_data();
    void editors();
    void rewriteIsStable();
    void fieldMap();
    void keyFilters_data();
    void keyFilters();
    void userEdits_data();
    void userEdits();
    void disableToggle();
};

void TestFieldEditors::editors_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // Pulse and volume fields: 0..102 in two digits, else 102 shown.
    addRow("pulse 0", "Text1", "0", "0=00");
    addRow("pulse 9", "Text2", "9", "1=09");
    addRow("pulse 10", "Text3", "10", "2=0A");
    addRow("pulse 15", "Text4", "15", "3=0F");
    addRow("pulse 16", "Text5", "16", "4=10");
    addRow("pulse 100", "Text6", "100", "5=64");
    addRow("pulse 102", "Text7", "102", "6=66");
    addRow("pulse 103", "Text8", "103", "7=66 -> 102");
    addRow("volume 999", "Text9", "999", "8=66 -> 102");
    addRow("leading zeros kept", "Text21", "007", "9=07");
    addRow("015", "Text22", "015", "10=0F");
    addRow("05 after typing", "Text23", "05", "11=05");
    addRow("negative", "Text24", "-1", "12=66 -> 102");
    addRow("huge", "Text25", "99999999999999999999999", "13=66 -> 102");
    addRow("blank reads 0", "Text26", "", "14=00");
    addRow("not a number", "Text27", "1a", "");
    addRow("fraction rounds to even", "Text28", "4.5", "16=04");
    addRow("fraction over range", "Text29", "102.1", "17=66 -> 102");
    addRow("right row", "Text39", "64", "26=40");

    // Counts: 0..9999 in four digits, else 9999 shown.
    addRow("count 0", "Text11", "0", "27=0000");
    addRow("count 255", "Text11", "255", "27=00FF");
    addRow("count 4096", "Text11", "4096", "27=1000");
    addRow("count 9999", "Text11", "9999", "27=270F");
    addRow("count 10000", "Text11", "10000", "27=270F -> 9999");
    addRow("count letters keep slot", "Text11", "abc", "");
    addRow("count fraction", "Text11", "12.5", "27=000C");
    addRow("count spaces around", "Text11", " 12 ", "27=000C");

    // Counts with a disabled flag: the flag is written first.
    addRow("OFF", "Text13", "OFF", "33=01");
    addRow("center 12", "Text13", "12", "33=00 28=000C");
    addRow("off lower case", "Text13", "off", "33=00");
    addRow("right 25", "Text15", "25", "34=00 29=0019");
    addRow("right over", "Text15", "12345", "34=00 29=270F -> 9999");
    addRow("OFF with space", "Text15", "OFF ", "34=00");

    // Calibration: never rewritten; out of range stores 88.0.
    addRow("cal 88", "Text17", "88", "30=0850");
    addRow("cal 97.8", "Text17", "97.8", "30=094E");
    addRow("cal 70", "Text17", "70", "30=0700");
    addRow("cal 105", "Text17", "105", "30=0A32");
    addRow("cal 69.9", "Text17", "69.9", "30=0850");
    addRow("cal 105.1", "Text17", "105.1", "30=0850");
    addRow("cal 105.04 out before rounding", "Text17", "105.04", "30=0850");
    addRow("cal 104.96 rounds up to the bound", "Text17", "104.96", "30=0A32");
    addRow("cal 69.96 out before rounding", "Text17", "69.96", "30=0850");
    addRow("cal tie to even down", "Text17", "70.05", "30=0700");
    addRow("cal tie to even up", "Text17", "70.15", "30=0702");
    addRow("cal above tie", "Text17", "70.051", "30=0701");
    addRow("cal 0", "Text17", "0", "30=0850");
    addRow("cal text", "Text17", "x", "");

    // Pump and drip: never rewritten; out of range stores 100 and 90.
    addRow("pump 100", "Text19", "100", "31=64");
    addRow("pump 70", "Text19", "70", "31=46");
    addRow("pump 69", "Text19", "69", "31=64");
    addRow("pump 101", "Text19", "101", "31=64");
    addRow("pump 5", "Text19", "5", "31=64");
    addRow("pump 75", "Text19", "75", "31=4B");
    addRow("drip 90", "Text20", "90", "32=5A");
    addRow("drip 105", "Text20", "105", "32=69");
    addRow("drip 106", "Text20", "106", "32=5A");
    addRow("drip 7", "Text20", "7", "32=5A");
}

void TestFieldEditors::editors()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(editField(fieldNamed(qPrintable(field)), text)), expected);
}

// The text an editor rewrites its field with must be one that the editor
// accepts as it stands; otherwise the field would be rewritten forever.
void TestFieldEditors::rewriteIsStable()
{
    for (const SettingField &field : settingFields()) {
        for (const char *text : {"103", "-5", "10000", "99999999999"}) {
            const FieldEdit first = editField(field, text);
            if (!first.rewrite)
                continue;
            const FieldEdit second = editField(field, *first.rewrite);
            QVERIFY2(!second.rewrite, field.name);
            QCOMPARE(second.writes.last(), first.writes.last());
        }
    }
}

void TestFieldEditors::fieldMap()
{
    // Slot order, row by row; the three rows each hold eight pulses and a volume.
    const auto &fields = settingFields();
    for (int i = 0; i < SettingFieldCount; ++i)
        QCOMPARE(fields[i].slot, i);
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < ButtonRowLength; ++i) {
            const FieldKind kind = fields[buttonRowStart(row) + i].kind;
            QCOMPARE(kind, i == 8 ? FieldKind::Volume : FieldKind::Pulse);
        }
    }
    QCOMPARE(QString(fields[9].name), "Text21");
    QCOMPARE(QString(fields[26].name), "Text39");
}

void TestFieldEditors::keyFilters_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("digit");
    QTest::addColumn<bool>("logo");

    addRow("0", int('0'), true, true);
    addRow("9", int('9'), true, true);
    addRow("A", int('A'), false, true);
    addRow("Z", int('Z'), false, true);
    addRow("a", int('a'), false, true);
    addRow("z", int('z'), false, true);
    addRow("space", int(' '), false, true);
    addRow("backspace", 8, false, true);
    addRow("minus", int('-'), false, false);
    addRow("point", int('.'), false, false);
    addRow("enter", 13, false, false);
    addRow("ctrl+c", 3, false, false);
    addRow("ctrl+v", 22, false, false);
    addRow("ctrl+x", 24, false, false);
    addRow("/ below 0", int('/'), false, false);
    addRow(": above 9", int(':'), false, false);
    addRow("@ below A", int('@'), false, false);
    addRow("[ above Z", int('['), false, false);
    addRow("` below a", int('`'), false, false);
    addRow("{ above z", int('{'), false, false);
    addRow("e acute", 0xE9, false, false);
}

void TestFieldEditors::keyFilters()
{
    QFETCH(int, code);
    QFETCH(bool, digit);
    QFETCH(bool, logo);
    QCOMPARE(digitFilterPasses(char16_t(code)), digit);
    QCOMPARE(logoFilterPasses(char16_t(code)), logo);
}

void TestFieldEditors::userEdits_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("allowed");

    addRow("type a letter", "AB", "ABC", true);
    addRow("16th character", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNOP", true);
    addRow("17th character", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ", false);
    addRow("paste past 16", "ABC", "ABCDEFGHIJKLMNOPQRS", false);
    addRow("long program text shortened", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRS", true);
    addRow("long program text grown", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRSTU", false);
    addRow("paste a dash", "AB", "A-B", false);
    addRow("program dash kept while editing", "A-B", "A-BC", true);
    addRow("delete everything", "A-B", "", true);
}

void TestFieldEditors::userEdits()
{
    QFETCH(QString, previous);
    QFETCH(QString, next);
    QFETCH(bool, allowed);
    QCOMPARE(userEditAllowed(previous, next, isLogoCharacter, LogoTypedLimit), allowed);
}

void TestFieldEditors::disableToggle()
{
    QCOMPARE(toggledDisableText("25"), "OFF");
    QCOMPARE(toggledDisableText("OFF"), "0");
    QCOMPARE(toggledDisableText("off"), "OFF");
    QCOMPARE(toggledDisableText(""), "OFF");
}

QTEST_APPLESS_MAIN(TestFieldEditors)
#include "tst_fieldeditors.moc"
