#include "SettingWords.h"

#include "FieldEditors.h"
#include "SettingsTable.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingWords)
};

const char *const ButtonNames[] = {QT_TRANSLATE_NOOP("SettingWords", "Left Button"),
                                   QT_TRANSLATE_NOOP("SettingWords", "Center Button"),
                                   QT_TRANSLATE_NOOP("SettingWords", "Right Button")};

QString buttonName(int button)
{
    return Words::tr(ButtonNames[button]);
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
        return Words::tr(" ounces");
    case FieldKind::Calibration:
        return Words::tr(" signs per ounce");
    case FieldKind::PumpSpeed:
        return Words::tr(" percent");
    case FieldKind::DripTime:
        return Words::tr(" seconds");
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
            return Words::tr("%1 volume").arg(buttonName(button));
        return Words::tr("%1 pulse brew setting %2").arg(buttonName(button)).arg(column + 1);
    }
    if (slot < CalibrationSlot)
        return Words::tr("%1 brewing count to write").arg(buttonName(slot - FirstCountSlot));
    switch (slot) {
    case CalibrationSlot:
        return Words::tr("Flowmeter calibration, new setting");
    case PumpSpeedSlot:
        return Words::tr("Pump working speed");
    case DripTimeSlot:
        return Words::tr("Drip-out time");
    default:
        return Words::tr("%1 disabled flag").arg(buttonName(slot - FirstFlagSlot + CenterButton));
    }
}

QString rangeText(FieldKind kind)
{
    const SettingRange range = settingRange(kind);
    return Words::tr("%1 to %2%3")
        .arg(boundText(kind, range.low), boundText(kind, range.high), unitOf(kind));
}

QString rangeHint(const SettingField &field)
{
    const FieldKind kind = field.kind;
    const SettingRange range = settingRange(kind);
    QString hint = rangeText(kind);
    if (kind == FieldKind::CountWithDisable)
        hint += Words::tr(", or OFF while the button is disabled");
    // A digit-only field cannot hold a number below 0.
    const bool onlyLarger = range.low == 0 && hasDigitFilter(kind);
    const QString replacement = boundText(kind, range.replacement);
    if (showsReplacement(kind))
        hint += (onlyLarger ? Words::tr("; a larger number becomes %1")
                            : Words::tr("; any other number becomes %1"))
                    .arg(replacement);
    else
        hint += (onlyLarger ? Words::tr("; a larger number is sent as %1")
                            : Words::tr("; any other number is sent as %1"))
                    .arg(replacement);
    if (const auto untouched = untouchedValue(field))
        hint += Words::tr("; until the field is changed, %1 is sent").arg(*untouched);
    return hint;
}

QString digitsHint(FieldKind kind)
{
    return Words::tr("Whole numbers %1").arg(rangeText(kind));
}

QString defaultButtonName(int row)
{
    return Words::tr("%1 default settings").arg(buttonName(row));
}

QString disableButtonName(int row)
{
    return Words::tr("%1 disable").arg(buttonName(row));
}

QString logoName()
{
    return Words::tr("LCD logo text");
}

QString logoHint()
{
    return Words::tr("Up to %1 letters, digits and spaces").arg(LogoTypedLimit);
}

QString reportedTotalName(int button)
{
    return Words::tr("Brewer's total count, %1").arg(buttonName(button));
}

QString reportedCalibrationName()
{
    return Words::tr("Brewer's flowmeter calibration");
}

QString reportedByBrewerHint()
{
    return Words::tr("Reported by the brewer: Read from Brewer fills it in");
}
