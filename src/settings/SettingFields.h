#pragma once

#include "SlotMap.h"

#include <array>

// What each setting field of the window edits. The window finds each field
// by `name`; editors, Read and Load dispatch on `kind`.
enum class FieldKind {
    Pulse,            // pulse brew setting 1..8 of a button, 0..102
    Volume,           // a button's volume in ounces, 0..102
    Count,            // brewing count to write, 0..9999
    CountWithDisable, // brewing count to write, or "OFF" for a disabled button
    Calibration,      // flowmeter signs per ounce, 70.0..105.0
    PumpSpeed,        // percent, 70..100
    DripTime,         // seconds, 70..105
};

struct SettingField
{
    const char *name;
    FieldKind kind;
    int slot;
    int flagSlot = -1; // the disabled flag of a CountWithDisable field
};

// Every setting field, in slot order 0..32: the Left, Center and Right
// Button rows (pulse settings 1..8, then the volume), the three counts,
// calibration, pump speed and drip time.
inline constexpr int SettingFieldCount = FirstFlagSlot; // one for each slot 0..32
const std::array<SettingField, SettingFieldCount> &settingFields();

// Index into settingFields() of the first field of button row 0..2: the
// button fields come first, in slot order.
inline constexpr int buttonRowStart(int row)
{
    return buttonSlot(row, 0);
}

// Pulse, volume, pump and drip fields take digits only.
bool hasDigitFilter(FieldKind kind);

// The numbers a setting field accepts, low to high, and the number that one
// outside them becomes. The calibration's are in tenths of a sign per ounce.
struct SettingRange
{
    int low;
    int high;
    int replacement;

    constexpr bool contains(int value) const { return value >= low && value <= high; }
};

inline constexpr SettingRange PulseOrVolumeRange{0, 102, 102};
inline constexpr SettingRange CountRange{0, 9999, 9999};
inline constexpr SettingRange CalibrationTenthsRange{700, 1050, 880};
inline constexpr SettingRange PumpSpeedRange{70, 100, 100};
inline constexpr SettingRange DripTimeRange{70, 105, 90};

// The range of a field of `kind`.
SettingRange settingRange(FieldKind kind);
