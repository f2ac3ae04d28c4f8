#include "ReplyRecord.h"

#include <algorithm>

namespace {

constexpr char HeaderFirst = char(0xFF);
constexpr char HeaderSecond = char(0xAA);

// The value of a piece of exactly two upper-case hexadecimal digits, or -1.
int pieceValue(const QString &piece)
{
    if (piece.size() != 2)
        return -1;
    int value = 0;
    for (QChar c : piece) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9')
            value = 16 * value + (u - '0');
        else if (u >= 'A' && u <= 'F')
            value = 16 * value + (u - 'A' + 10);
        else
            return -1;
    }
    return value;
}

char byteOf(int value)
{
    return char(std::clamp(value, 0, 255));
}

void appendPair(QByteArray &bytes, int value)
{
    const int capped = std::clamp(value, 0, 255 * 100 + 99);
    bytes += byteOf(capped / 100);
    bytes += byteOf(capped % 100);
}

} // namespace

QString replyDump(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex().toUpper());
}

QStringList replyPieces(const QString &dump)
{
    QStringList pieces;
    pieces.reserve(ReplyLength);
    for (int i = 0; i < ReplyLength; ++i)
        pieces << dump.mid(2 * i, 2);
    return pieces;
}

std::optional<BrewerReport> decodeReply(const QStringList &pieces)
{
    if (pieces.size() < ReplyLength || pieces[0] != QLatin1String("FF") ||
        pieces[1] != QLatin1String("AA"))
        return std::nullopt;
    std::array<int, ReplyLength> bytes{};
    for (int i = 0; i < ReplyLength; ++i) {
        bytes[i] = pieceValue(pieces[i]);
        if (bytes[i] < 0)
            return std::nullopt;
    }
    const auto pair = [&bytes](int at) { return 100 * bytes[at] + bytes[at + 1]; };

    BrewerReport report;
    for (int i = 0; i < ButtonCount; ++i)
        report.countTotals[i] = pair(ReplyCountsAt + 2 * i);
    for (int i = 0; i < ButtonSlots; ++i)
        report.buttonSettings[i] = bytes[ReplyButtonsAt + i];
    report.calibrationTenths = pair(ReplyCalibrationAt);
    report.pumpSpeed = bytes[ReplyPumpSpeedAt];
    report.dripTime = bytes[ReplyDripTimeAt];
    return report;
}

ReplyFault replyFault(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return ReplyFault::NothingArrived;
    if (bytes[0] != HeaderFirst || (bytes.size() > 1 && bytes[1] != HeaderSecond))
        return ReplyFault::WrongHeader;
    return bytes.size() < ReplyLength ? ReplyFault::TooShort : ReplyFault::None;
}

QByteArray encodeReply(const BrewerReport &report)
{
    QByteArray bytes;
    bytes.reserve(ReplyLength);
    bytes += HeaderFirst;
    bytes += HeaderSecond;
    for (int total : report.countTotals)
        appendPair(bytes, total);
    for (int setting : report.buttonSettings)
        bytes += byteOf(setting);
    appendPair(bytes, report.calibrationTenths);
    bytes += byteOf(report.pumpSpeed);
    bytes += byteOf(report.dripTime);
    return bytes;
}
