#include "FieldEditors.h"

#include "DecimalNumber.h"
#include "SlotForms.h"

#include <algorithm>

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(FieldEditors)
};

const QString DisabledText = QStringLiteral("OFF");

// A slot text read as hexadecimal, or nullopt for anything else.
std::optional<uint> hexValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 4 || !isHexOfWidth(text.toString(), int(text.size())))
        return std::nullopt;
    return text.toUInt(nullptr, 16);
}

// A blank field reads as 0, like an empty number box; anything else must be
// a number.
std::optional<DecimalNumber> fieldNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return DecimalNumber::fromInt(0);
    return DecimalNumber::parse(text);
}

// Range-checked editor: a number out of its field's range stores the
// replacement value and, in a field that `shows` it, rewrites the field.
FieldEdit clamped(int slot, const QString &text, FieldKind kind, QString (*form)(int), bool shows)
{
    const auto value = fieldNumber(text);
    const SettingRange range = settingRange(kind);
    if (!value)
        return {};
    if (withinRange(kind, *value))
        return {{{slot, form(int(value->roundedHalfEven()))}}, std::nullopt};
    return {{{slot, form(range.replacement)}},
            shows ? std::optional(QString::number(range.replacement)) : std::nullopt};
}

} // namespace

bool withinRange(FieldKind kind, const DecimalNumber &value)
{
    const SettingRange range = settingRange(kind);
    // The calibration's range is in tenths of a sign per ounce.
    return (kind == FieldKind::Calibration ? value.timesTen() : value)
        .inRange(range.low, range.high);
}

FieldEdit editPulseOrVolume(int slot, const QString &text)
{
    return clamped(slot, text, FieldKind::Pulse, twoDigitForm, true);
}

FieldEdit editCount(int slot, const QString &text)
{
    return clamped(slot, text, FieldKind::Count, fourDigitForm, true);
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
    // The range is checked before the number is made whole.
    const int tenths = withinRange(FieldKind::Calibration, *value)
                           ? int(value->timesTen().roundedHalfEven())
                           : CalibrationTenthsRange.replacement;
    return {{{slot, calibrationForm(tenths)}}, std::nullopt};
}

FieldEdit editPumpSpeed(int slot, const QString &text)
{
    return clamped(slot, text, FieldKind::PumpSpeed, twoDigitForm, false);
}

FieldEdit editDripTime(int slot, const QString &text)
{
    return clamped(slot, text, FieldKind::DripTime, twoDigitForm, false);
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

bool sameSetting(FieldKind kind, const DecimalNumber &a, const DecimalNumber &b)
{
    const auto meaning = [kind](const DecimalNumber &value) {
        const bool zero = kind == FieldKind::Pulse && value == DecimalNumber::fromInt(ZeroStandIn);
        return zero ? DecimalNumber::fromInt(0) : value;
    };
    return meaning(a) == meaning(b);
}

bool isDigitCharacter(char16_t code)
{
    return code >= u'0' && code <= u'9';
}

// Keys that edit a field without typing into it: Backspace, and the
// clipboard shortcuts Ctrl+C, Ctrl+V and Ctrl+X.
bool isEditingKey(char16_t code)
{
    return code == u'\b' || code == u'\x03' || code == u'\x16' || code == u'\x18';
}

bool digitFilterPasses(char16_t code)
{
    return isDigitCharacter(code) || isEditingKey(code);
}

bool isLogoCharacter(char16_t code)
{
    return (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z') ||
           (code >= u'0' && code <= u'9') || code == u' ';
}

bool logoFilterPasses(char16_t code)
{
    return isLogoCharacter(code) || isEditingKey(code);
}

KeptEdit keptEdit(const QString &previous, const QString &next, bool (*allowed)(char16_t),
                  int limit)
{
    // What the edit brought in lies between what it kept of the old text's
    // start and of its end.
    const qsizetype shorter = qMin(previous.size(), next.size());
    qsizetype start = 0;
    while (start < shorter && previous[start] == next[start])
        ++start;
    qsizetype end = 0;
    while (end < shorter - start &&
           previous[previous.size() - 1 - end] == next[next.size() - 1 - end])
        ++end;
    const QString brought = next.mid(start, next.size() - start - end);
    const qsizetype room =
        limit < 0 ? brought.size()
                  : qMax(qsizetype(limit), previous.size()) - (next.size() - brought.size());
    KeptEdit kept;
    QString taken;
    for (QChar c : brought) {
        if (allowed(c.unicode()) && taken.size() < room)
            taken += c;
        else
            kept.dropped += c;
    }
    kept.text = next.left(start) + taken + next.right(end);
    kept.cursor = start + taken.size();
    return kept;
}

QString logoFilterMessage()
{
    return Words::tr("input letter or number");
}

QStringList defaultRowTexts()
{
    return {QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("64")};
}

std::optional<QString> shownCorrection(FieldKind kind, const QString &shown)
{
    const auto number = DecimalNumber::parse(shown);
    if (!number)
        return std::nullopt;
    const SettingRange range = settingRange(kind);
    switch (kind) {
    case FieldKind::Pulse:
        if (number->compare(ZeroStandIn) == 0)
            return QStringLiteral("0");
        break;
    case FieldKind::Calibration:
        if (!withinRange(kind, *number))
            return tenthsText(range.replacement);
        break;
    case FieldKind::PumpSpeed:
    case FieldKind::DripTime:
        if (!withinRange(kind, *number))
            return QString::number(range.replacement);
        break;
    case FieldKind::Volume:
    case FieldKind::Count:
    case FieldKind::CountWithDisable:
        break;
    }
    return std::nullopt;
}

QString disabledText()
{
    return DisabledText;
}

QString toggledDisableText(const QString &current)
{
    return current != DisabledText ? DisabledText : QStringLiteral("0");
}

std::optional<QString> loadedFieldText(FieldKind kind, const std::optional<QString> &slot)
{
    if (!slot)
        return std::nullopt;
    if (kind != FieldKind::Calibration) {
        const auto value = hexValue(*slot);
        return value ? std::optional(QString::number(*value)) : std::nullopt;
    }
    if (slot->size() != 4)
        return std::nullopt;
    const auto high = hexValue(QStringView(*slot).first(2));
    const auto low = hexValue(QStringView(*slot).last(2));
    if (!high || !low)
        return std::nullopt;
    return tenthsText(int(*high * 100 + *low));
}
