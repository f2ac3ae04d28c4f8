#include "FieldEditors.h"
#include "SettingsFrame.h"
#include "SettingsTable.h"
#include "SlotForms.h"

#include "DataRow.h"

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
    void fillDefaults_data();
    void fillDefaults();
    void editors_data();
    void editors();
    void keyFilters();
    void userEdits_data();
    void userEdits();
    void wireOrder();
    void frameRefused();
};

void TestCore::fillDefaults_data()
{
    addColumns<int, QString, QString>("slot", "before", "after"); // "unset": no text

    addRow("unset pulse", 0, "unset", "66");
    addRow("unset volume", 26, "unset", "66");
    addRow("unset count", 27, "unset", "0000");
    addRow("unset pump", 31, "unset", "00");
    addRow("unset flag", 34, "unset", "00");
    addRow("unset unused slot", 35, "unset", "unset");
    addRow("zero in an unused slot", 50, "00", "00");
    addRow("one-digit zero", 5, "0", "66");
    addRow("count zero", 28, "0000", "0000");
    addRow("0A kept", 1, "0A", "0A");
    addRow("0E10 is not zero", 27, "0E10", "0E10");
    addRow("odd text kept", 4, "\",", "\",");
    addRow("empty text kept", 6, "", "");
}

void TestCore::fillDefaults()
{
    QFETCH(int, slot);
    QFETCH(QString, before);
    SettingsTable table;
    if (before != "unset")
        table.setSlot(slot, before);
    table.FillDefaults();
    QTEST(table.slot(slot).value_or("unset"), "after");
}

void TestCore::editors_data()
{
    addColumns<int, QString, QString>("field", "text", "expected"); // index into settingFields()

    // Pulse and volume fields: 0..102 in two digits, else 102 shown.
    addRow("pulse 0", 0, "0", "0=00");
    addRow("pulse 10", 2, "10", "2=0A");
    addRow("pulse 102", 6, "102", "6=66");
    addRow("pulse 103", 7, "103", "7=66 -> 102");
    addRow("volume 999", 8, "999", "8=66 -> 102");
    addRow("leading zeros", 9, "015", "9=0F");
    addRow("negative", 12, "-1", "12=66 -> 102");
    addRow("huge", 13, "99999999999999999999999", "13=66 -> 102");
    addRow("blank reads 0", 14, "", "14=00");
    addRow("not a number", 15, "1a", "");
    addRow("fraction rounds to even", 16, "4.5", "16=04");
    addRow("fraction over range", 17, "102.1", "17=66 -> 102");
    addRow("right volume", 26, "64", "26=40");

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
    QCOMPARE(passing(typed, digitFilterPasses), "0189");
    QCOMPARE(passing(typed, logoFilterPasses), "0189AZaz \b");
}

void TestCore::userEdits_data()
{
    addColumns<QString, QString, bool>("previous", "next", "allowed");

    addRow("16th character", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNOP", true);
    addRow("17th character", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ", false);
    addRow("paste past 16", "ABC", "ABCDEFGHIJKLMNOPQRS", false);
    addRow("long program text shortened", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRS", true);
    addRow("long program text grown", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRSTU", false);
    addRow("paste a dash", "AB", "A-B", false);
    addRow("program dash kept while editing", "A-B", "A-BC", true);
    addRow("delete everything", "A-B", "", true);
}

void TestCore::userEdits()
{
    QFETCH(QString, previous);
    QFETCH(QString, next);
    QTEST(userEditAllowed(previous, next, isLogoCharacter, LogoTypedLimit), "allowed");
}

// Every slot in its place on the wire, and read back by the parser that the
// simulated brewer uses.
void TestCore::wireOrder()
{
    SettingsTable table;
    const QStringList rest = {"1001", "1002", "1003", "094E", "46", "5A", "00", "01"};
    for (int i = 0; i < SettingsTable::UsedSlots; ++i)
        table.setSlot(i, i < 27 ? twoDigitForm(i + 1) : rest[i - 27]);
    const QByteArray frame = buildSettingsFrame(table, "X").bytes;
    QCOMPARE(frame, QByteArray("$$X/&0102030405060708090A0B0C0D0E0F101112131415161718191A1B"
                               "100110021003" // counts 27..29
                               "0001"         // flags 33, 34
                               "094E465A)")); // calibration 30, pump 31, drip 32

    const ParsedFrame parsed = parseSettingsFrame(frame + frame);
    QVERIFY(parsed.status == ParsedFrame::Status::Complete && parsed.length == frame.size());
    QCOMPARE(parsed.logo, QByteArray("X"));
    for (int slot = 0; slot < SettingsTable::UsedSlots; ++slot)
        QCOMPARE(parsed.slotTexts[slot], table.slot(slot).value());
    QCOMPARE(parseSettingsFrame(frame.left(60)).status, ParsedFrame::Status::Incomplete);
    const ParsedFrame junk = parseSettingsFrame("xyz" + frame); // skipped up to the next frame
    QVERIFY(junk.status == ParsedFrame::Status::Malformed && junk.length == 3);
}

// A slot or logo that would misalign the frame for the brewer is refused,
// with the reason in words.
void TestCore::frameRefused()
{
    SettingsTable table;
    table.setSlot(0, "66");
    QVERIFY(buildSettingsFrame(table, "").refusal.contains("setting 2 holds nothing"));
    table.FillDefaults();
    QVERIFY(buildSettingsFrame(table, QString::fromUtf16(u"Caf\u20ac")).refusal.contains("byte"));
    for (const auto &[slot, text] :
         {std::pair(5, "6"), std::pair(31, "\","), std::pair(30, "850")}) {
        SettingsTable broken = table;
        broken.setSlot(slot, text);
        const SettingsFrame frame = buildSettingsFrame(broken, "");
        QVERIFY2(frame.bytes.isEmpty() && frame.refusal.contains(QString(text)), text);
    }
}

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
