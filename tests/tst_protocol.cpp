#include "ReplyRecord.h"
#include "SettingsFrame.h"
#include "SlotForms.h"

#include <QTest>

namespace {

// A table holding `texts` in slots 0.., unset beyond.
SettingsTable tableOf(const QStringList &texts)
{
    SettingsTable table;
    for (int i = 0; i < texts.size(); ++i)
        table.setSlot(i, texts[i]);
    return table;
}

// Slot texts that tell every slot apart: 01..1B in the button slots.
QStringList distinctSlots()
{
    QStringList texts;
    for (int i = 0; i < 27; ++i)
        texts << twoDigitForm(i + 1);
    texts += QStringList{"1001", "1002", "1003", "094E", "46", "5A", "00", "01"};
    return texts;
}

QByteArray defaultsPiece()
{
    return "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";
}

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void wireOrder();
    void frameRefused_data();
    void frameRefused();
    void parseStream_data();
    void parseStream();
    void encodeRoundTrip();
};

// Every slot in its place on the wire, and read back by the grammar.
void TestProtocol::wireOrder()
{
    const SettingsTable table = tableOf(distinctSlots());
    const SettingsFrame frame = buildSettingsFrame(table, "X");
    QCOMPARE(frame.refusal, QString());
    QCOMPARE(frame.bytes,
             QByteArray("$$X/&0102030405060708090A0B0C0D0E0F101112131415161718191A1B"
                        "100110021003" // counts 27..29
                        "0001"         // flags 33, 34
                        "094E465A)")); // calibration 30, pump 31, drip 32

    const ParsedFrame parsed = parseSettingsFrame(frame.bytes);
    QCOMPARE(parsed.status, ParsedFrame::Status::Complete);
    QCOMPARE(parsed.length, frame.bytes.size());
    QCOMPARE(parsed.logo, QByteArray("X"));
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
    QTest::newRow("logo under way") << QByteArray("$$ABC") << incomplete << 0 << "";
    QTest::newRow("settings under way") << good.left(60) << incomplete << 0 << "";
    QTest::newRow("junk, then a frame") << "xyz" + good << malformed << 3 << "byte 1 is \"x\"";
    QTest::newRow("logo without its end")
        << "$$ABCDEFGHIJKLMNOPQ/" + defaultsPiece() << malformed << 20 << "byte 19 is \"Q\"";
    QTest::newRow("lower-case digit") << "&6a" + defaultsPiece().mid(3) << malformed << 80
                                      << "byte 3 is \"a\": expected a hexadecimal digit";
    QTest::newRow("cut short, next frame follows")
        << good.left(40) + good << malformed << 40 << "byte 41 is \"$\"";
    QTest::newRow("binary byte") << QByteArray("&\xff") << malformed << 2 << "byte 2 is 0xFF";
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

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
