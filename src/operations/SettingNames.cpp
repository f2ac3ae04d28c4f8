#include "SettingNames.h"

#include "BrewerOperations.h"
#include "FieldEditors.h"
#include "SettingWords.h"
#include "SettingsFileOperations.h"
#include "SettingsForm.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingNames)
};

} // namespace

namespace operations {

namespace {

const char *const Buttons[] = {"left", "center", "right"};

} // namespace

QString buttonFieldName(int field)
{
    const int column = field % ButtonRowLength;
    return QStringLiteral("%1.%2").arg(QLatin1String(Buttons[field / ButtonRowLength]),
                                       column < VolumeColumn
                                           ? QStringLiteral("pulse%1").arg(column + 1)
                                           : QStringLiteral("volume"));
}

const QList<NamedSetting> &namedSettings()
{
    static const QList<NamedSetting> settings = [] {
        using K = NamedSetting::Kind;
        QList<NamedSetting> list{{QStringLiteral("logo"), K::Logo}};
        // The fields of the button rows and the counts, the calibration, pump
        // and drip come in slot order.
        for (int field = 0; field < ButtonSlots; ++field)
            list.append({buttonFieldName(field), K::Field, field});
        for (int button = 0; button < ButtonCount; ++button)
            list.append({QStringLiteral("%1.count").arg(QLatin1String(Buttons[button])), K::Field,
                         countSlot(button)});
        for (int button : {CenterButton, RightButton})
            list.append({QStringLiteral("%1.disabled").arg(QLatin1String(Buttons[button])),
                         K::Disabled, countSlot(button)});
        list.append({QStringLiteral("calibration"), K::Field, CalibrationSlot});
        list.append({QStringLiteral("pump"), K::Field, PumpSpeedSlot});
        list.append({QStringLiteral("drip"), K::Field, DripTimeSlot});
        return list;
    }();
    return settings;
}

QString fieldName(int field)
{
    for (const NamedSetting &setting : namedSettings()) {
        if (setting.kind == NamedSetting::Kind::Field && setting.field == field)
            return setting.name;
    }
    return {};
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

NamedValues reportedSettings(const SettingsForm &form, const ReplyOutcome &reply)
{
    NamedValues values;
    for (int button = 0; button < ButtonCount; ++button)
        values.append(
            {QStringLiteral("%1.total").arg(QLatin1String(Buttons[button])), reply.totals[button]});
    for (int field = 0; field < ButtonSlots; ++field)
        values.append({buttonFieldName(field), form.text(field)});
    values.append({QStringLiteral("brewer.calibration"), reply.calibration});
    values.append({QStringLiteral("pump"), form.text(PumpSpeedSlot)});
    values.append({QStringLiteral("drip"), form.text(DripTimeSlot)});
    return values;
}

QList<NameDescription> nameDescriptions()
{
    QList<NameDescription> described;
    for (const NamedSetting &setting : namedSettings()) {
        switch (setting.kind) {
        case NamedSetting::Kind::Logo: {
            // Starts in lower case, as the table's other entries do.
            QString takes = logoHint();
            takes[0] = takes[0].toLower();
            described.append({setting.name, takes, logoName()});
            break;
        }
        case NamedSetting::Kind::Disabled:
            described.append({setting.name, Words::tr("yes or no"),
                              slotName(settingFields()[setting.field].flagSlot)});
            break;
        case NamedSetting::Kind::Field: {
            const SettingField &field = settingFields()[setting.field];
            described.append({setting.name, rangeText(field.kind), slotName(field.slot)});
            break;
        }
        }
    }
    const QString reported = Words::tr("reported by the brewer");
    for (int button = 0; button < ButtonCount; ++button)
        described.append({QStringLiteral("%1.total").arg(QLatin1String(Buttons[button])), reported,
                          reportedTotalName(button)});
    described.append({QStringLiteral("brewer.calibration"), reported, reportedCalibrationName()});
    return described;
}

std::optional<bool> disabledValue(const QString &text)
{
    if (text == u"yes" || text == u"true" || text == u"1")
        return true;
    if (text == u"no" || text == u"false" || text == u"0")
        return false;
    return std::nullopt;
}

} // namespace operations
