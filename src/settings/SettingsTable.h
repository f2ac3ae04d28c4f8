#pragma once

#include "SlotMap.h"

#include <QString>

#include <array>
#include <optional>

// The program's copy of every brewer setting: numbered slots, each unset or
// holding the hexadecimal text that goes on the wire and into the file.
class SettingsTable
{
public:
    static constexpr int SlotCount = 51; // 0..50; only 0..34 carry settings

    // The slot's text, or nullopt while it is unset. Unset differs from every
    // text, "" and "00" included.
    std::optional<QString> slot(int index) const;

    // Stores the text as given; the writers are responsible for its form.
    void setSlot(int index, const QString &text);

    // Gives every unset or zero slot of 0..34 its default: "66" (102, which
    // stands for zero) for the pulse and volume slots 0..26, "0000" for the
    // counts and the calibration 27..30, "00" for pump, drip and the flags.
    void FillDefaults();

    // The text FillDefaults gives slot `index` (0..34).
    static QString defaultText(int index);

private:
    static bool isValidIndex(int index) { return index >= 0 && index < SlotCount; }

    std::array<std::optional<QString>, SlotCount> m_slots;
};
