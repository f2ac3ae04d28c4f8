#pragma once

#include "SettingFields.h"
#include "SettingsFileLoader.h"

#include <QList>
#include <QString>

#include <optional>

class SettingsForm;

// After the file's values are in the table, Load sets every setting field
// from its slot, in the order of settingFields(), and each assignment runs
// the field's editor. These are the texts it sets.

// What a field shows for its slot: the slot's hexadecimal number in decimal
// digits ("66" gives "102"), or for the calibration, whose slot holds H and L
// as two hexadecimal digits each, (H * 100 + L) / 10 in its shortest decimal
// form ("094E" gives "97.8", "0850" gives "88"). nullopt when the slot is
// unset or not hexadecimal: the field then keeps its text.
std::optional<QString> loadedFieldText(FieldKind kind, const std::optional<QString> &slot);

// What Load found in a file besides the settings.
struct LoadedFile
{
    std::optional<QString> logo;     // the last "Logo" line's text
    std::optional<QString> lastLine; // none for a file without lines
    QList<SkippedValue> skipped;     // damaged values, not loaded
};

// Load's whole work on a file's bytes: the values of every line go into the
// form's table, in file order; then every setting field is set from its
// slot, in the order of settingFields(), its editor running as its text
// changes, and then to shownCorrection() of what it shows, if any. A field whose
// slot is unset or not hexadecimal keeps its text. Last, each count field
// whose disabled flag in the "Disable" record is "01" is set to "OFF", as
// its Disable button would: its editor sets the flag, and the count slot
// keeps the count loaded from "Total cups". A flag of "00", or none, leaves
// the field as the field pass set it.
LoadedFile loadSettings(SettingsForm &form, const QByteArray &bytes);
