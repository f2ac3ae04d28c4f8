#include "FieldEditors.h"

#include "DecimalNumber.h"
#include "SlotForms.h"

#include <algorithm>

namespace {

const QString DisabledText = QStringLiteral("OFF");

// A blank field reads as 0, like an empty number box; anything else must be
// a number.
std::optional<DecimalNumber> fieldNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return DecimalNumber::fromInt(0);
    return DecimalNumber::parse(text);
}

// Range-checked editor of a field that shows its replacement value when the
// number is out of range.
FieldEdit clampedAndShown(int slot, const QString &text, const SettingRange &range,
                          QString (*form)(int))
{
    const auto value = fieldNumber(text);
    if (!value)
        return {};
    if (!value->inRange(range.low, range.high))
        return {{{slot, form(range.replacement)}}, QString::number(range.replacement)};
    return {{{slot, form(int(value->roundedHalfEven()))}}, std::nullopt};
}

// Range-checked editor of a field that keeps its text and stores a
// replacement value in the slot when the number is out of range.
FieldEdit clampedSilently(int slot, const QString &text, const SettingRange &range)
{
    const auto value = fieldNumber(text);
    if (!value)
        return {};
    const int used =
        value->inRange(range.low, range.high) ? int(value->roundedHalfEven()) : range.replacement;
    return {{{slot, twoDigitForm(used)}}, std::nullopt};
}

} // namespace

FieldEdit editPulseOrVolume(int slot, const QString &text)
{
    return clampedAndShown(slot, text, PulseOrVolumeRange, twoDigitForm);
}

FieldEdit editCount(int slot, const QString &text)
{
    return clampedAndShown(slot, text, CountRange, fourDigitForm);
}

FieldEdit editCountWithDisable(int countSlot, int flagSlot, const QString &text)
{
    if (text == DisabledText)
        return {{{flagSlot, QStringLiteral("01")}}, std::nullopt};
    FieldEdit edit = editCount(countSlot, text);
    edit.writes.prepend({flagSlot, QStringLiteral("00")});
    return edit;
}

FieldEdit editCalibration(int slot, const QString &text)
{
    const auto value = fieldNumber(text);
    if (!value)
        return {};
    const DecimalNumber tenths = value->timesTen();
    const SettingRange &range = CalibrationTenthsRange;
    const int used =
        tenths.inRange(range.low, range.high) ? int(tenths.roundedHalfEven()) : range.replacement;
    return {{{slot, calibrationForm(used)}}, std::nullopt};
}

FieldEdit editPumpSpeed(int slot, const QString &text)
{
    return clampedSilently(slot, text, PumpSpeedRange);
}

FieldEdit editDripTime(int slot, const QString &text)
{
    return clampedSilently(slot, text, DripTimeRange);
}

FieldEdit editField(const SettingField &field, const QString &text)
{
    switch (field.kind) {
    case FieldKind::Pulse:
    case FieldKind::Volume:
        return editPulseOrVolume(field.slot, text);
    case FieldKind::Count:
        return editCount(field.slot, text);
    case FieldKind::CountWithDisable:
        return editCountWithDisable(field.slot, field.flagSlot, text);
    case FieldKind::Calibration:
        return editCalibration(field.slot, text);
    case FieldKind::PumpSpeed:
        return editPumpSpeed(field.slot, text);
    case FieldKind::DripTime:
        return editDripTime(field.slot, text);
    }
    return {};
}

bool digitFilterPasses(char16_t code)
{
    return code >= u'0' && code <= u'9';
}

bool isLogoCharacter(char16_t code)
{
    return (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z') ||
           (code >= u'0' && code <= u'9') || code == u' ';
}

bool logoFilterPasses(char16_t code)
{
    return isLogoCharacter(code) || code == u'\b';
}

bool userEditAllowed(const QString &previous, const QString &next, bool (*allowed)(char16_t),
                     int limit)
{
    if (limit >= 0 && next.size() > qMax(qsizetype(limit), previous.size()))
        return false;
    const auto refused = [allowed](const QString &text) {
        return std::count_if(text.begin(), text.end(),
                             [allowed](QChar c) { return !allowed(c.unicode()); });
    };
    return refused(next) <= refused(previous);
}

QString logoFilterMessage()
{
    return QStringLiteral("input letter or number");
}

QStringList defaultRowTexts()
{
    return {QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("64")};
}

QString toggledDisableText(const QString &current)
{
    return current != DisabledText ? DisabledText : QStringLiteral("0");
}
