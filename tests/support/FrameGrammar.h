#pragma once

#include "SettingsFrame.h"
#include "SettingsTable.h"

#include <QByteArray>
#include <QString>

// What must hold of a settings frame that goes on the wire for `table` and
// `logo`: printable ASCII only, 80 characters, or 83 + n with a logo piece of
// n <= 16 characters, and read back as one Complete frame carrying the
// table's slot texts and the logo. Returns the first problem, or "".
inline QString frameProblem(const QByteArray &frame, const SettingsTable &table,
                            const QString &logo)
{
    const bool withLogo = logo.size() <= FrameLogoLimit;
    if (frame.size() != SettingsPieceLength + (withLogo ? 3 + logo.size() : 0))
        return QStringLiteral("frame of %1 characters for a logo of %2")
            .arg(frame.size())
            .arg(logo.size());
    for (char c : frame) {
        if (uchar(c) < 0x20 || uchar(c) > 0x7E)
            return QStringLiteral("frame holds byte 0x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    }
    const ParsedFrame parsed = parseSettingsFrame(frame);
    if (parsed.status != ParsedFrame::Status::Complete || parsed.length != frame.size())
        return QStringLiteral("frame does not read back whole: %1").arg(parsed.problem);
    if (parsed.logo != (withLogo ? std::optional(logo.toLatin1()) : std::nullopt))
        return QStringLiteral("frame carries another logo than \"%1\"").arg(logo);
    for (int slot = 0; slot < SettingsTable::UsedSlots; ++slot) {
        if (parsed.slotTexts[slot] != table.slot(slot))
            return QStringLiteral("frame carries \"%1\" for slot %2, the table \"%3\"")
                .arg(parsed.slotTexts[slot])
                .arg(slot)
                .arg(table.slot(slot).value_or(QStringLiteral("unset")));
    }
    return {};
}

// The same for the frame built from `table` and `logo`: a frame that is built
// must meet the rules above; a refusal, where one may come, must give a reason.
inline QString builtFrameProblem(const SettingsTable &table, const QString &logo,
                                 bool mayRefuse = true)
{
    const SettingsFrame frame = buildSettingsFrame(table, logo);
    if (!frame.refusal.isEmpty() && (!mayRefuse || !frame.bytes.isEmpty()))
        return QStringLiteral("frame refused: %1").arg(frame.refusal);
    if (!frame.refusal.isEmpty())
        return {};
    if (frame.bytes.isEmpty())
        return QStringLiteral("frame neither built nor refused with a reason");
    return frameProblem(frame.bytes, table, logo);
}
