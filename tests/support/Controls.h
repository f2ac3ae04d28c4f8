#pragma once

#include "SettingNames.h"
#include "SettingsForm.h"

#include <QHash>
#include <QString>

// The window's controls as tests name them, by what they are, mapped to
// their object names. The setting fields go by the names peln-cli gives
// them ("left.pulse1", "center.count", "pump"); other names pass as they are.
inline QString controlName(const QString &key)
{
    static const QHash<QString, QString> controls = {
        {"ReadButton", "Command2"},    {"SendButton", "Command1"},
        {"SaveButton", "Command3"},    {"LoadButton", "Command5"},
        {"ConnectButton", "connect"},  {"PortBox", "Combo1"},
        {"ReadLamp", "Shape3"},        {"SendLamp", "Shape2"},
        {"logo", "Textsend"},          {"Banner", "textreceive"},
        {"LineHolder", "Text18"},      {"CenterDisable", "Command_disable1"},
        {"RightDisable", "Command4"},  {"LeftDefault", "default1"},
        {"CenterDefault", "default2"}, {"RightDefault", "default3"},
        {"LeftTotal", "Text10"},       {"CenterTotal", "Text12"},
        {"RightTotal", "Text14"},      {"BrewerCalibration", "Text16"},
    };
    if (const auto found = controls.find(key); found != controls.end())
        return *found;
    if (const operations::NamedSetting *setting = operations::namedSetting(key);
        setting && setting->kind == operations::NamedSetting::Kind::Field)
        return QLatin1String(settingFields()[setting->field].name);
    return key;
}

// The index into settingFields() of a setting named as peln-cli names it.
inline int fieldIndex(const QString &name)
{
    const operations::NamedSetting *setting = operations::namedSetting(name);
    if (!setting || setting->field < 0)
        qFatal("no setting field %s", qPrintable(name));
    return setting->field;
}

// What differs from `expected`, "key=text" items, in what `held(key)`
// gives: "key=held, not text" items joined by "; ", or "".
template <typename Held> QString differences(const QStringList &expected, Held held)
{
    QStringList wrong;
    for (const QString &item : expected) {
        const QString key = item.section('=', 0, 0), want = item.section('=', 1);
        if (const QString got = held(key); got != want)
            wrong << QStringLiteral("%1=%2, not %3").arg(key, got, want);
    }
    return wrong.join(QStringLiteral("; "));
}

// What `form` holds for "N", slot N ("unset" for none), or for "name", the
// text of that setting field.
inline QString formHolds(const SettingsForm &form, const QString &key)
{
    bool isSlot = false;
    const int slot = key.toInt(&isSlot);
    return isSlot ? form.table().slot(slot).value_or(QStringLiteral("unset"))
                  : form.text(fieldIndex(key));
}

// Every field's text and every slot of `form`, to compare before and after.
inline QStringList formState(const SettingsForm &form)
{
    QStringList state;
    for (int i = 0; i < SettingFieldCount; ++i)
        state << form.text(i);
    for (int slot = 0; slot < UsedSlots; ++slot)
        state << form.table().slot(slot).value_or(QStringLiteral("unset"));
    return state;
}
