#include "LoadFieldPass.h"

#include "FieldEditors.h"
#include "SettingsForm.h"
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

LoadedFile loadSettings(SettingsForm &form, const QByteArray &bytes)
{
    LoadedFile loaded;
    SettingsFileLoader loader(form.table());
    for (const QString &line : settingsFileLines(bytes)) {
        if (const auto logo = loader.takeLine(line))
            loaded.logo = logo;
        loaded.lastLine = line;
    }
    loaded.skipped = loader.skipped();
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        const auto shown = loadedFieldText(setting.kind, form.table().slot(setting.slot));
        if (!shown)
            continue;
        form.setText(i, *shown);
        if (const auto corrected = shownCorrection(setting.kind, form.text(i)))
            form.setText(i, *corrected);
    }
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        if (setting.kind == FieldKind::CountWithDisable &&
            loader.flags().value(setting.flagSlot) == u"01")
            form.setText(i, disabledText());
    }
    return loaded;
}
