#pragma once

#include "SettingsFrame.h"
#include "SlotForms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// What must hold of the settings table whatever reached the program: every
// slot 0..34 is unset (unless `requireSet`) or exactly its width of
// upper-case hexadecimal digits, and the disabled flags are "00" or "01".
// Returns what breaks this first, or "".
inline QString tableProblem(const SettingsTable &table, bool requireSet = false)
{
    for (int i = 0; i < UsedSlots; ++i) {
        const auto text = table.slot(i);
        const bool ok = !text               ? !requireSet
                        : i < FirstFlagSlot ? isHexOfWidth(*text, slotWidth(i))
                                            : *text == "00" || *text == "01";
        if (!ok)
            return QStringLiteral("slot %1 holds \"%2\"").arg(i).arg(text.value_or("nothing"));
    }
    return {};
}

// What must hold of a settings frame on the wire for `table` and `logo`:
// printable ASCII, 80 characters or 83 + n with a logo piece of n <= 16
// characters, read back as one whole frame carrying the table's slot texts
// and the logo. Returns the first problem, or "".
inline QString frameProblem(const QByteArray &frame, const SettingsTable &table,
                            const QString &logo)
{
    const bool withLogo = logo.size() <= FrameLogoLimit;
    if (frame.size() != SettingsPieceLength + (withLogo ? 3 + logo.size() : 0))
        return QStringLiteral("frame of %1 bytes for a logo of %2")
            .arg(frame.size())
            .arg(logo.size());
    if (std::any_of(frame.begin(), frame.end(), [](char c) { return c < 0x20 || c > 0x7E; }))
        return "frame holds a byte that is not printable ASCII: " +
               QString::fromLatin1(frame.toHex());
    const ParsedFrame parsed = parseSettingsFrame(frame);
    if (parsed.length != frame.size() ||
        parsed.logo != (withLogo ? logo.toLatin1() : std::optional<QByteArray>()))
        return QStringLiteral("frame does not read back whole: %1").arg(parsed.problem);
    for (int slot = 0; slot < UsedSlots; ++slot)
        if (parsed.slotTexts[slot] != table.slot(slot))
            return QStringLiteral("frame carries \"%1\" for slot %2")
                .arg(parsed.slotTexts[slot])
                .arg(slot);
    return {};
}

// The same for the frame built from `table` and `logo`, which may be refused
// with a reason where `mayRefuse`, and must be built otherwise.
inline QString builtFrameProblem(const SettingsTable &table, const QString &logo,
                                 bool mayRefuse = true)
{
    const SettingsFrame frame = buildSettingsFrame(table, logo);
    if (frame.refusal.isEmpty() == frame.bytes.isEmpty() || (!mayRefuse && frame.bytes.isEmpty()))
        return QStringLiteral("frame %1 and refused: \"%2\"")
            .arg(frame.bytes.isEmpty() ? "not built" : "built", frame.refusal);
    return frame.bytes.isEmpty() ? QString() : frameProblem(frame.bytes, table, logo);
}

// Stops a fuzz target at the first broken rule, saying which ("" is none).
inline void check(const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::abort();
}
