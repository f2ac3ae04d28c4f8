#include "SettingWords.h"

#include "FieldEditors.h"
#include "SettingsTable.h"

namespace {

const char *const ButtonNames[] = {"Left", "Center", "Right"};

QString buttonName(int button)
{
    return QStringLiteral("%1 Button").arg(QLatin1String(ButtonNames[button]));
}

// A bound as the field takes it: the calibration with its one decimal place.
QString boundText(FieldKind kind, int value)
{
    if (kind == FieldKind::Calibration)
        return QString::number(value / 10.0, 'f', 1);
    return QString::number(value);
}

QString unitOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Volume:
        return QStringLiteral(" ounces");
    case FieldKind::Calibration:
        return QStringLiteral(" signs per ounce");
    case FieldKind::PumpSpeed:
        return QStringLiteral(" percent");
    case FieldKind::DripTime:
        return QStringLiteral(" seconds");
    case FieldKind::Pulse:
    case FieldKind::Count:
    case FieldKind::CountWithDisable:
        break;
    }
    return {};
}

// Whether the field itself is set to the replacement; the others keep what
// was typed, and only the brewer and the file get the replacement.
bool showsReplacement(FieldKind kind)
{
    return kind != FieldKind::Calibration && kind != FieldKind::PumpSpeed &&
           kind != FieldKind::DripTime;
}

// What Send sends for a field that still shows the "0" it opens with, when
// that is not what a typed 0 would send: its slot is unset then, and
// FillDefaults gives it its default, while a typed 0 runs the editor.
std::optional<QString> untouchedValue(const SettingField &field)
{
    SettingsTable untouched, typed;
    for (const SlotWrite &write : editField(field, QStringLiteral("0")).writes)
        typed.setSlot(write.slot, write.text);
    untouched.FillDefaults();
    typed.FillDefaults();
    const auto sent = untouched.slot(field.slot);
    if (sent == typed.slot(field.slot))
        return std::nullopt;
    return loadedFieldText(field.kind, sent);
}

} // namespace

QString slotName(int slot)
{
    if (slot < ButtonSlots) {
        const int button = slot / ButtonRowLength, column = slot % ButtonRowLength;
        if (column == VolumeColumn)
            return QStringLiteral("%1 volume").arg(buttonName(button));
        return QStringLiteral("%1 pulse brew setting %2").arg(buttonName(button)).arg(column + 1);
    }
    if (slot < CalibrationSlot)
        return QStringLiteral("%1 brewing count to write").arg(buttonName(slot - FirstCountSlot));
    switch (slot) {
    case CalibrationSlot:
        return QStringLiteral("Flowmeter calibration, new setting");
    case PumpSpeedSlot:
        return QStringLiteral("Pump working speed");
    case DripTimeSlot:
        return QStringLiteral("Drip-out time");
    default:
        return QStringLiteral("%1 disabled flag")
            .arg(buttonName(slot - FirstFlagSlot + CenterButton));
    }
}

QString rangeText(FieldKind kind)
{
    const SettingRange range = settingRange(kind);
    return QStringLiteral("%1 to %2%3")
        .arg(boundText(kind, range.low), boundText(kind, range.high), unitOf(kind));
}

QString rangeHint(const SettingField &field)
{
    const FieldKind kind = field.kind;
    const SettingRange range = settingRange(kind);
    QString hint = rangeText(kind);
    if (kind == FieldKind::CountWithDisable)
        hint += QStringLiteral(", or OFF while the button is disabled");
    // A digit-only field cannot hold a number below 0.
    const QString outside = range.low == 0 && hasDigitFilter(kind) ? QStringLiteral("a larger")
                                                                   : QStringLiteral("any other");
    const QString becomes =
        showsReplacement(kind) ? QStringLiteral("becomes") : QStringLiteral("is sent as");
    hint += QStringLiteral("; %1 number %2 %3")
                .arg(outside, becomes, boundText(kind, range.replacement));
    if (const auto untouched = untouchedValue(field))
        hint += QStringLiteral("; until the field is changed, %1 is sent").arg(*untouched);
    return hint;
}

QString digitsHint(FieldKind kind)
{
    return QStringLiteral("Whole numbers %1").arg(rangeText(kind));
}

QString defaultButtonName(int row)
{
    return QStringLiteral("%1 default settings").arg(buttonName(row));
}

QString disableButtonName(int row)
{
    return QStringLiteral("%1 disable").arg(buttonName(row));
}

QString logoName()
{
    return QStringLiteral("LCD logo text");
}

QString logoHint()
{
    return QStringLiteral("Up to %1 letters, digits and spaces").arg(LogoTypedLimit);
}

QString reportedTotalName(int button)
{
    return QStringLiteral("Brewer's total count, %1").arg(buttonName(button));
}

QString reportedCalibrationName()
{
    return QStringLiteral("Brewer's flowmeter calibration");
}

QString reportedByBrewerHint()
{
    return QStringLiteral("Reported by the brewer: Read from Brewer fills it in");
}
