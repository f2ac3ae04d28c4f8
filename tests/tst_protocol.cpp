#include "ReplyRecord.h"
#include "SettingsFrame.h"
#include "SlotForms.h"

#include <QTest>

namespace {

// A table holding `texts` in slots 0.., unset beyond; with no texts,
// FillDefaults gives every slot its default, as Send does.
SettingsTable tableOf(const QStringList &texts)
{
    SettingsTable table;
    for (int i = 0; i < texts.size(); ++i)
        table.setSlot(i, texts[i]);
    if (texts.isEmpty())
        table.FillDefaults();
    return table;
}

// Slot texts that tell every slot apart: 01..1B in the button slots.
QStringList distinctSlots()
{
    QStringList texts;
    for (int i = 0; i < 27; ++i)
        texts << twoDigitForm(i + 1);
    texts << "1001"
          << "1002"
          << "1003"
          << "094E"
          << "46"
          << "5A"
          << "00"
          << "01";
    return texts;
}

QByteArray defaultsPiece()
{
    return "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";
}

QByteArray record(std::initializer_list<int> head, int length = ReplyLength)
{
    QByteArray bytes;
    for (int b : head)
        bytes += char(b);
    while (bytes.size() < length)
        bytes += char(0x50 + bytes.size() % 16);
    return bytes;
}

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void frame_data();
    void frame();
    void frameRefused_data();
    void frameRefused();
    void parseStream_data();
    void parseStream();
    void dumpAndPieces();
    void decode_data();
    void decode();
    void encodeRoundTrip();
    void tenths_data();
    void tenths();
};

void TestProtocol::frame_data()
{
    QTest::addColumn<QStringList>("slotTexts");
    QTest::addColumn<QString>("logo");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("defaults, empty logo") << QStringList() << ""
                                          << "$$/" + defaultsPiece();
    QTest::newRow("16-character logo") << QStringList() << "Cafe 1234 ABCDEF"
                                       << "$$Cafe 1234 ABCDEF/" + defaultsPiece();
    QTest::newRow("17-character logo is left out")
        << QStringList() << "Cafe 1234 ABCDEFG" << defaultsPiece();
    QTest::newRow("a long logo may hold anything")
        << QStringList() << "A/B/C/D/E/F/G/H/I" << defaultsPiece();
    QTest::newRow("flags travel before the calibration")
        << distinctSlots() << "X"
        << QByteArray("$$X/&0102030405060708090A0B0C0D0E0F101112131415161718191A1B"
                      "100110021003" // counts 27..29
                      "0001"         // flags 33, 34
                      "094E465A)");  // calibration 30, pump 31, drip 32
}

void TestProtocol::frame()
{
    QFETCH(QStringList, slotTexts);
    QFETCH(QString, logo);
    QFETCH(QByteArray, expected);

    const SettingsFrame frame = buildSettingsFrame(tableOf(slotTexts), logo);
    QCOMPARE(frame.refusal, QString());
    QCOMPARE(frame.bytes, expected);

    // What is built is what the grammar reads back.
    const ParsedFrame parsed = parseSettingsFrame(frame.bytes);
    QCOMPARE(parsed.status, ParsedFrame::Status::Complete);
    QCOMPARE(parsed.length, frame.bytes.size());
    QCOMPARE(parsed.logo.has_value(), logo.size() <= FrameLogoLimit);
    if (parsed.logo)
        QCOMPARE(*parsed.logo, logo.toLatin1());
    const SettingsTable table = tableOf(slotTexts);
    for (int slot = 0; slot < SettingsTable::UsedSlots; ++slot)
        QCOMPARE(parsed.slotTexts[slot], table.slot(slot).value());
}

void TestProtocol::frameRefused_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text"); // "unset" leaves the slot unset
    QTest::addColumn<QString>("logo");
    QTest::addColumn<QString>("reason");

    QTest::newRow("short pulse") << 5 << "6"
                                 << ""
                                 << "Left Button pulse brew setting 6 holds \"6\"";
    QTest::newRow("lower case") << 17 << "0a"
                                << ""
                                << "Center Button volume holds \"0a\"";
    QTest::newRow("count cut short") << 28 << "00F"
                                     << ""
                                     << "Center Button brewing count";
    QTest::newRow("quote from a shifted line") << 31 << "\","
                                               << ""
                                               << "pump working speed";
    QTest::newRow("unset flag") << 34 << "unset"
                                << ""
                                << "Right Button disabled flag holds nothing";
    QTest::newRow("slash in the logo") << -1 << ""
                                       << "A/B"
                                       << "\"/\"";
    QTest::newRow("logo beyond one byte")
        << -1 << "" << QString::fromUtf8("Caf\u20ac") << "one byte";
}

void TestProtocol::frameRefused()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, logo);
    QFETCH(QString, reason);

    const QStringList texts = distinctSlots();
    SettingsTable table = tableOf(texts);
    if (slot >= 0 && text == "unset")
        table = tableOf(texts.mid(0, slot));
    else if (slot >= 0)
        table.setSlot(slot, text);

    const SettingsFrame frame = buildSettingsFrame(table, logo);
    QVERIFY(frame.bytes.isEmpty());
    QVERIFY2(frame.refusal.contains(reason), qPrintable(frame.refusal));
}

void TestProtocol::parseStream_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("problem");

    const int complete = int(ParsedFrame::Status::Complete);
    const int incomplete = int(ParsedFrame::Status::Incomplete);
    const int malformed = int(ParsedFrame::Status::Malformed);
    const QByteArray good = "$$AB/" + defaultsPiece();

    QTest::newRow("two frames: the first") << good + good << complete << 85 << "";
    QTest::newRow("nothing yet") << QByteArray() << incomplete << 0 << "";
    QTest::newRow("logo under way") << QByteArray("$$ABC") << incomplete << 0 << "";
    QTest::newRow("settings under way") << good.left(60) << incomplete << 0 << "";
    QTest::newRow("junk, then a frame") << "xyz" + good << malformed << 3 << "byte 1 is \"x\"";
    QTest::newRow("single $") << "$A" + good << malformed << 2 << "a second \"$\"";
    QTest::newRow("logo without its end")
        << "$$ABCDEFGHIJKLMNOPQ/" + defaultsPiece() << malformed << 20 << "byte 19 is \"Q\"";
    QTest::newRow("lower-case digit") << "&6a" + defaultsPiece().mid(3) << malformed << 80
                                      << "byte 3 is \"a\": expected a hexadecimal digit";
    QTest::newRow("cut short, next frame follows")
        << good.left(40) + good << malformed << 40 << "byte 41 is \"$\"";
    QTest::newRow("binary byte") << QByteArray("&\xff") << malformed << 2 << "byte 2 is 0xFF";
    QTest::newRow("no closing parenthesis")
        << defaultsPiece().left(79) + "0" << malformed << 80 << "expected \")\"";
}

void TestProtocol::parseStream()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, status);
    QFETCH(int, length);
    QFETCH(QString, problem);

    const ParsedFrame parsed = parseSettingsFrame(stream);
    QCOMPARE(int(parsed.status), status);
    QCOMPARE(parsed.length, length);
    QVERIFY2(parsed.problem.contains(problem), qPrintable(parsed.problem));
    QCOMPARE(parsed.problem.isEmpty(), problem.isEmpty());
}

void TestProtocol::dumpAndPieces()
{
    const QString dump = replyDump(QByteArray("\x00\x0f\xff\xaa\x66", 5));
    QCOMPARE(dump, "000FFFAA66");
    const QStringList pieces = replyPieces(dump);
    QCOMPARE(pieces.size(), ReplyLength);
    QCOMPARE(pieces.mid(0, 6), QStringList({"00", "0F", "FF", "AA", "66", ""}));
    QCOMPARE(pieces.last(), "");
    QCOMPARE(replyPieces(dump + "7").at(5), "7");
}

void TestProtocol::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("good");

    QTest::newRow("example record") << record({0xFF, 0xAA, 0x01, 0x2C, 0, 0, 0, 7}) << true;
    QTest::newRow("long record: first 39 bytes")
        << record({0xFF, 0xAA, 0x01, 0x2C, 0, 0, 0, 7}, 50) << true;
    QTest::newRow("nothing") << QByteArray() << false;
    QTest::newRow("one byte") << QByteArray("\xff") << false;
    QTest::newRow("header swapped") << record({0xAA, 0xFF, 0x01, 0x2C, 0, 0, 0, 7}) << false;
    QTest::newRow("good header, 38 bytes") << record({0xFF, 0xAA}, 38) << false;
    QTest::newRow("good header, 2 bytes") << QByteArray("\xff\xaa") << false;
}

void TestProtocol::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, good);

    const auto report = decodeReply(replyPieces(replyDump(bytes)));
    QCOMPARE(report.has_value(), good);
    if (!good)
        return;
    QCOMPARE(report->countTotals, (std::array<int, 3>{144, 0, 7}));
    for (int i = 0; i < 27; ++i)
        QCOMPARE(report->buttonSettings[i], uchar(bytes[8 + i]));
    QCOMPARE(report->calibrationTenths, 100 * uchar(bytes[35]) + uchar(bytes[36]));
    QCOMPARE(report->pumpSpeed, uchar(bytes[37]));
    QCOMPARE(report->dripTime, uchar(bytes[38]));
}

void TestProtocol::encodeRoundTrip()
{
    BrewerReport report;
    report.countTotals = {1234, 9999, 7};
    for (int i = 0; i < 27; ++i)
        report.buttonSettings[i] = (i * 37) % 256;
    report.calibrationTenths = 978;
    report.pumpSpeed = 100;
    report.dripTime = 255;

    const QByteArray bytes = encodeReply(report);
    QCOMPARE(bytes.size(), ReplyLength);
    QCOMPARE(bytes.left(8), QByteArray("\xff\xaa\x0c\x22\x63\x63\x00\x07", 8));
    QCOMPARE(bytes.mid(35, 2), QByteArray("\x09\x4e"));
    QCOMPARE(decodeReply(replyPieces(replyDump(bytes))), report);

    // Values beyond what the record carries go as the largest it can.
    report.countTotals = {30000, -5, 0};
    report.pumpSpeed = 300;
    const auto capped = decodeReply(replyPieces(replyDump(encodeReply(report))));
    QCOMPARE(capped->countTotals, (std::array<int, 3>{25599, 0, 0}));
    QCOMPARE(capped->pumpSpeed, 255);
}

void TestProtocol::tenths_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 880 << "88";
    QTest::newRow("fraction") << 885 << "88.5";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("below one") << 7 << "0.7";
    QTest::newRow("upper bound") << 1050 << "105";
    QTest::newRow("largest pair") << 25599 << "2559.9";
}

void TestProtocol::tenths()
{
    QFETCH(int, tenths);
    QFETCH(QString, text);
    QCOMPARE(tenthsText(tenths), text);
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
