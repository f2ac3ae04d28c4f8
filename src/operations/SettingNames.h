#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

class SettingsForm;

namespace operations {

struct ReplyOutcome;

// The settings as a terminal user names them: "logo", "left.pulse1" ...
// "left.pulse8", "left.volume", the same for "center." and "right.", the
// three counts, "center.disabled" and "right.disabled", "calibration",
// "pump" and "drip".
struct NamedSetting
{
    enum class Kind { Logo, Field, Disabled };

    QString name;
    Kind kind;
    int field = -1; // index into settingFields(); for Disabled, its count field
};

const QList<NamedSetting> &namedSettings();
const NamedSetting *namedSetting(QStringView name);

using NamedValues = QList<std::pair<QString, QString>>;

// What the form shows, setting by setting, in the order of namedSettings():
// each field's text, but a count as the count to write that its slot holds
// also when its button is disabled, and "yes" or "no" for Disabled.
NamedValues shownSettings(const SettingsForm &form, const QString &logo);

// The count to write of a count field: its slot's number, or "0" while unset.
QString heldCount(const SettingsForm &form, int field);

// The names of the button fields, in the order of settingFields().
QString buttonFieldName(int field);
// The name of any setting field: "left.pulse3", "pump".
QString fieldName(int field);

// What Read from Brewer shows of a good record, by name: "left.total",
// "center.total" and "right.total", the button fields by their names,
// "brewer.calibration", "pump" and "drip".
NamedValues reportedSettings(const SettingsForm &form, const ReplyOutcome &reply);

// A name as `peln-cli list` describes it: what it takes (its range and unit)
// and what it means.
struct NameDescription
{
    QString name;
    QString takes;
    QString meaning;
};

// Every setting's name in the order of namedSettings(), then the names that
// only Read from Brewer reports.
QList<NameDescription> nameDescriptions();

// A Disable setting's value: true for "yes", "true" or "1", false for "no",
// "false" or "0"; nothing for any other text.
std::optional<bool> disabledValue(const QString &text);

} // namespace operations
