#include "SettingFields.h"

const std::array<SettingField, SettingFieldCount> &settingFields()
{
    using K = FieldKind;
    static constexpr std::array<SettingField, SettingFieldCount> fields{{
        {"Text1", K::Pulse, 0},
        {"Text2", K::Pulse, 1},
        {"Text3", K::Pulse, 2},
        {"Text4", K::Pulse, 3},
        {"Text5", K::Pulse, 4},
        {"Text6", K::Pulse, 5},
        {"Text7", K::Pulse, 6},
        {"Text8", K::Pulse, 7},
        {"Text9", K::Volume, 8},
        {"Text21", K::Pulse, 9},
        {"Text22", K::Pulse, 10},
        {"Text23", K::Pulse, 11},
        {"Text24", K::Pulse, 12},
        {"Text25", K::Pulse, 13},
        {"Text26", K::Pulse, 14},
        {"Text27", K::Pulse, 15},
        {"Text28", K::Pulse, 16},
        {"Text29", K::Volume, 17},
        {"Text31", K::Pulse, 18},
        {"Text32", K::Pulse, 19},
        {"Text33", K::Pulse, 20},
        {"Text34", K::Pulse, 21},
        {"Text35", K::Pulse, 22},
        {"Text36", K::Pulse, 23},
        {"Text37", K::Pulse, 24},
        {"Text38", K::Pulse, 25},
        {"Text39", K::Volume, 26},
        {"Text11", K::Count, 27},
        {"Text13", K::CountWithDisable, 28, 33},
        {"Text15", K::CountWithDisable, 29, 34},
        {"Text17", K::Calibration, 30},
        {"Text19", K::PumpSpeed, 31},
        {"Text20", K::DripTime, 32},
    }};
    return fields;
}

bool hasDigitFilter(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Pulse:
    case FieldKind::Volume:
    case FieldKind::PumpSpeed:
    case FieldKind::DripTime:
        return true;
    case FieldKind::Count:
    case FieldKind::CountWithDisable:
    case FieldKind::Calibration:
        return false;
    }
    return false;
}

SettingRange settingRange(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Pulse:
    case FieldKind::Volume:
        return PulseOrVolumeRange;
    case FieldKind::Count:
    case FieldKind::CountWithDisable:
        return CountRange;
    case FieldKind::Calibration:
        return CalibrationTenthsRange;
    case FieldKind::PumpSpeed:
        return PumpSpeedRange;
    case FieldKind::DripTime:
        return DripTimeRange;
    }
    return PulseOrVolumeRange;
}
