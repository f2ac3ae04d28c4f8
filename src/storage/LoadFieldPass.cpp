#include "LoadFieldPass.h"

#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "SlotForms.h"

namespace {

// A slot text read as hexadecimal, or nullopt for anything else.
std::optional<uint> hexValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 4 || !isHexOfWidth(text.toString(), int(text.size())))
        return std::nullopt;
    return text.toUInt(nullptr, 16);
}

} // namespace

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

std::optional<QString> loadedFieldCorrection(FieldKind kind, const QString &shown)
{
    const auto number = DecimalNumber::parse(shown);
    if (!number)
        return std::nullopt;
    switch (kind) {
    case FieldKind::Pulse:
        if (number->compare(102) == 0)
            return QStringLiteral("0");
        break;
    case FieldKind::Calibration:
        if (!number->inRange(70, 105))
            return QStringLiteral("88");
        break;
    case FieldKind::PumpSpeed:
        if (!number->inRange(70, 100))
            return QStringLiteral("100");
        break;
    case FieldKind::DripTime:
        if (!number->inRange(70, 105))
            return QStringLiteral("90");
        break;
    case FieldKind::Volume:
    case FieldKind::Count:
    case FieldKind::CountWithDisable:
        break;
    }
    return std::nullopt;
}

QList<std::pair<int, QString>> loadedDisableTexts(const QMap<int, QString> &flags)
{
    // What a Disable button puts into a count field that is not disabled.
    const QString disabled = toggledDisableText(QString());
    QList<std::pair<int, QString>> texts;
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &field = settingFields()[i];
        if (field.kind == FieldKind::CountWithDisable && flags.value(field.flagSlot) == u"01")
            texts.append({i, disabled});
    }
    return texts;
}
