#pragma once

#include "SettingsTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// The settings frame is what the brewer's controller receives: printable
// ASCII, one byte per character, with no length field, terminator or
// checksum. An optional logo piece, "$$", the logo text and "/", is followed
// by the 80-character settings piece: "&", the hexadecimal slot texts in wire
// order, and ")".

// A logo piece carries at most this many characters; a longer logo is not sent.
inline constexpr int FrameLogoLimit = 16;

// The order in which slots 0..34 travel: 0..29, then the disabled flags 33
// and 34, then the calibration 30, pump speed 31 and drip time 32.
const std::array<int, UsedSlots> &wireSlotOrder();

struct SettingsFrame
{
    QByteArray bytes; // empty when refused
    QString refusal;  // why the frame cannot be built; empty when it was
};

// The frame for slots 0..34 of `table` and `logo`. A logo of more than 16
// characters gets no logo piece. A slot that is unset or not exactly its
// width of upper-case hexadecimal digits, or a logo piece that would hold a
// "/" or a character that is not printable ASCII, would misalign the frame
// or put a byte on the line that the brewer cannot show: such a frame is
// refused, with the reason in words.
SettingsFrame buildSettingsFrame(const SettingsTable &table, const QString &logo);

// A settings frame read from the start of a byte stream.
struct ParsedFrame
{
    enum class Status {
        Complete,   // a whole frame: `length` bytes, logo and slot texts filled in
        Incomplete, // a well-formed start; more bytes are needed
        Malformed,  // `problem` says what is wrong; skip `length` bytes
    };

    Status status = Status::Incomplete;
    qsizetype length = 0;
    std::optional<QByteArray> logo;           // the logo piece's text, when there was one
    std::array<QString, UsedSlots> slotTexts; // by slot number
    QString problem;
};

// Reads the frame that `stream` starts with. A malformed stretch runs up to
// the next "$" or "&", where the next frame may begin.
ParsedFrame parseSettingsFrame(QByteArrayView stream);
