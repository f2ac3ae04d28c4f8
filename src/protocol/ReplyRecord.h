#pragma once

#include "SlotMap.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The reply record is the brewer's report: 39 bytes, the header FF AA, the
// three brewing count totals as base-100 pairs (hundreds, then units), the
// 27 button settings in slot order, the current flowmeter calibration as a
// base-100 pair of tenths, the pump speed and the drip-out time (the byte
// positions are in SlotMap.h).

// The bytes as text, each as two upper-case hexadecimal digits, in order and
// without separators: FF 0A gives "FF0A".
QString replyDump(QByteArrayView bytes);

// Pieces 1..39 of a dump, at indexes 0..38: characters 2i-1 and 2i, the
// hexadecimal form of byte i. A piece beyond the end of the dump is empty.
QStringList replyPieces(const QString &dump);

struct BrewerReport
{
    std::array<int, ButtonCount> countTotals{};    // Left, Center, Right Button
    std::array<int, ButtonSlots> buttonSettings{}; // slots 0..26: pulse 1..8 and volume per button
    int calibrationTenths = 0;                     // signs per ounce, times ten
    int pumpSpeed = 0;                             // percent
    int dripTime = 0;                              // seconds

    bool operator==(const BrewerReport &) const = default;
};

// The report carried by pieces 1..39, or nothing when the header is not
// FF AA or any piece is missing or not two hexadecimal digits: a short
// record is never decoded from bytes that did not arrive.
std::optional<BrewerReport> decodeReply(const QStringList &pieces);

// Why bytes taken from the line carry no record: none arrived, the first
// of them are not the header FF AA, or fewer than 39 arrived after it.
enum class ReplyFault { None, NothingArrived, WrongHeader, TooShort };
ReplyFault replyFault(QByteArrayView bytes);

// The 39-byte record of `report`. A value too large for its byte or base-100
// pair is sent as the largest the record can carry.
QByteArray encodeReply(const BrewerReport &report);
