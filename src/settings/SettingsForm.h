#pragma once

#include "SettingFields.h"
#include "SettingsTable.h"

#include <QString>

#include <array>
#include <functional>

// The setting fields without a window: the text each field shows and the
// settings table the fields feed. Giving a field a new text runs its editor,
// which writes the field's slots and may rewrite the field, which runs the
// editor once more; giving it the text it already shows runs nothing. The
// window mirrors these texts in its boxes and the command line drives them
// directly, so both follow the same rules.
class SettingsForm
{
public:
    SettingsForm(); // every field shows "0"; every slot is unset

    // Field `field` is an index into settingFields().
    const QString &text(int field) const { return m_texts[field]; }
    void setText(int field, const QString &text);

    // Runs after a field's text has changed, before its editor runs, so that
    // a view can show the new text.
    std::function<void(int field)> changed;

    SettingsTable &table() { return m_table; }
    const SettingsTable &table() const { return m_table; }

    // The Default button of button row 0..2: pulse 1 to 5, the other pulses
    // to 0 and the volume to 64, in that order.
    void fillDefaultRow(int row);
    // The Disable button of a count field with a disabled flag: "OFF", or
    // "0" when it shows "OFF" already.
    void toggleDisable(int field);

private:
    std::array<QString, SettingFieldCount> m_texts;
    SettingsTable m_table;
};
