#include "SettingsFrame.h"

#include "SettingWords.h"
#include "SlotForms.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFrame)
};

SettingsFrame refused(const QString &reason)
{
    return {{}, reason};
}

bool isUpperHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// A received byte as a reader would want to see it.
QString byteText(char c)
{
    const auto u = uchar(c);
    if (u >= 0x20 && u < 0x7F)
        return QStringLiteral("\"%1\"").arg(QLatin1Char(c));
    return QStringLiteral("0x") + QStringLiteral("%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

const std::array<int, UsedSlots> &wireSlotOrder()
{
    static const std::array<int, UsedSlots> order = [] {
        std::array<int, UsedSlots> wire{};
        int at = 0;
        for (int slot = 0; slot < CalibrationSlot; ++slot) // the buttons, then the counts
            wire[at++] = slot;
        for (int slot = FirstFlagSlot; slot < UsedSlots; ++slot)
            wire[at++] = slot;
        for (int slot = CalibrationSlot; slot < FirstFlagSlot; ++slot)
            wire[at++] = slot;
        return wire;
    }();
    return order;
}

SettingsFrame buildSettingsFrame(const SettingsTable &table, const QString &logo)
{
    QByteArray bytes;
    if (logo.size() <= FrameLogoLimit) {
        for (QChar c : logo) {
            if (c == QLatin1Char('/'))
                return refused(Words::tr("The logo text holds \"/\", which the brewer would "
                                         "take as the end of the logo. Change the logo, "
                                         "then send again."));
            if (c.unicode() > 0xFF)
                return refused(Words::tr("The logo text holds \"%1\", which cannot be sent "
                                         "as one byte. Change the logo, then send again.")
                                   .arg(c));
            // The frame is printable ASCII: a control character or a byte
            // beyond ASCII from a settings file is not a logo character.
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                return refused(Words::tr("The logo text holds the character with code %1, "
                                         "which the brewer cannot show. Change the logo, "
                                         "then send again.")
                                   .arg(c.unicode()));
        }
        bytes += "$$" + logo.toLatin1() + '/';
    }
    bytes += '&';
    for (int slot : wireSlotOrder()) {
        const auto text = table.slot(slot);
        if (!text || !isHexOfWidth(*text, slotWidth(slot))) {
            const QString held = text ? QStringLiteral("\"%1\"").arg(*text) : Words::tr("nothing");
            QString reason = Words::tr("%1 holds %2, which is not a setting the brewer "
                                       "can take.")
                                 .arg(slotName(slot), held);
            if (slot < FirstFlagSlot)
                reason += Words::tr(" Type a value into its field, then send again.");
            return refused(reason);
        }
        bytes += text->toLatin1();
    }
    bytes += ')';
    return {bytes, {}};
}

ParsedFrame parseSettingsFrame(QByteArrayView stream)
{
    ParsedFrame frame;
    const qsizetype size = stream.size();
    const auto malformed = [&](qsizetype at, const QString &what) {
        ParsedFrame bad;
        bad.status = ParsedFrame::Status::Malformed;
        bad.problem = at < size ? Words::tr("byte %1 is %2: expected %3")
                                      .arg(at + 1)
                                      .arg(byteText(stream[at]), what)
                                : Words::tr("expected %1").arg(what);
        // A new frame may start at the offending byte itself, never at byte 1.
        qsizetype next = qMax(at, qsizetype(1));
        while (next < size && stream[next] != '$' && stream[next] != '&')
            ++next;
        bad.length = next;
        return bad;
    };

    if (size == 0)
        return frame;
    qsizetype piece = 0;
    if (stream[0] == '$') {
        if (size < 2)
            return frame;
        if (stream[1] != '$')
            return malformed(1, Words::tr("a second \"$\""));
        qsizetype end = 2;
        while (end < size && end <= 2 + FrameLogoLimit && stream[end] != '/')
            ++end;
        if (end > 2 + FrameLogoLimit)
            return malformed(
                2 + FrameLogoLimit,
                Words::tr("\"/\" after at most %1 logo characters").arg(FrameLogoLimit));
        if (end == size)
            return frame;
        frame.logo = stream.sliced(2, end - 2).toByteArray();
        piece = end + 1;
    }

    const auto &order = wireSlotOrder();
    qsizetype offset = piece + 1;
    for (int j = 0; j < SettingsPieceLength; ++j) {
        const qsizetype at = piece + j;
        if (at >= size)
            return frame;
        const char c = stream[at];
        if (j == 0 && c != '&')
            return malformed(at, Words::tr("\"&\", the start of the settings"));
        if (j == SettingsPieceLength - 1 && c != ')')
            return malformed(at, Words::tr("\")\", the end of the settings"));
        if (j > 0 && j < SettingsPieceLength - 1 && !isUpperHexDigit(c))
            return malformed(at, Words::tr("a hexadecimal digit 0-9 or A-F"));
    }
    for (int slot : order) {
        frame.slotTexts[slot] = QString::fromLatin1(stream.sliced(offset, slotWidth(slot)));
        offset += slotWidth(slot);
    }
    frame.status = ParsedFrame::Status::Complete;
    frame.length = piece + SettingsPieceLength;
    return frame;
}
