#include "SettingNames.h"

#include "FieldEditors.h"
#include "LoadFieldPass.h"
#include "SettingsForm.h"

namespace {

const char *const Buttons[] = {"left", "center", "right"};
constexpr int FirstCountField = 27; // the counts, the calibration, pump and drip follow

} // namespace

QString buttonFieldName(int field)
{
    const int column = field % ButtonRowLength;
    return QStringLiteral("%1.%2").arg(QLatin1String(Buttons[field / ButtonRowLength]),
                                       column < 8 ? QStringLiteral("pulse%1").arg(column + 1)
                                                  : QStringLiteral("volume"));
}

const QList<NamedSetting> &namedSettings()
{
    static const QList<NamedSetting> settings = [] {
        using K = NamedSetting::Kind;
        QList<NamedSetting> list{{QStringLiteral("logo"), K::Logo}};
        for (int field = 0; field < FirstCountField; ++field)
            list.append({buttonFieldName(field), K::Field, field});
        for (int button = 0; button < 3; ++button)
            list.append({QStringLiteral("%1.count").arg(QLatin1String(Buttons[button])), K::Field,
                         FirstCountField + button});
        list.append({QStringLiteral("center.disabled"), K::Disabled, FirstCountField + 1});
        list.append({QStringLiteral("right.disabled"), K::Disabled, FirstCountField + 2});
        list.append({QStringLiteral("calibration"), K::Field, FirstCountField + 3});
        list.append({QStringLiteral("pump"), K::Field, FirstCountField + 4});
        list.append({QStringLiteral("drip"), K::Field, FirstCountField + 5});
        return list;
    }();
    return settings;
}

const NamedSetting *namedSetting(QStringView name)
{
    for (const NamedSetting &setting : namedSettings()) {
        if (setting.name == name)
            return &setting;
    }
    return nullptr;
}

QString heldCount(const SettingsForm &form, int field)
{
    const SettingField &setting = settingFields()[field];
    return loadedFieldText(setting.kind, form.table().slot(setting.slot))
        .value_or(QStringLiteral("0"));
}

NamedValues shownSettings(const SettingsForm &form, const QString &logo)
{
    NamedValues values;
    for (const NamedSetting &setting : namedSettings()) {
        QString value = logo;
        if (setting.kind == NamedSetting::Kind::Disabled)
            value = form.text(setting.field) == disabledText() ? "yes" : "no";
        else if (setting.kind == NamedSetting::Kind::Field)
            value = form.text(setting.field) == disabledText() ? heldCount(form, setting.field)
                                                               : form.text(setting.field);
        values.append({setting.name, value});
    }
    return values;
}
