#pragma once

#include <QString>
#include <QStringList>

class SettingsForm;

namespace operations {

// What Send to Brewer would put on the line for a setting field now, beside
// what the field shows. The fields keep the text as typed while the table
// holds what is sent: a number out of range goes out as its replacement, a
// text that is no number as the last value that was, a fraction rounded,
// and an unset or zero slot as FillDefaults' default.
struct SentValue
{
    enum class Kind {
        AsShown,  // the field shows what is sent
        Default,  // a 0 goes out as its slot's default: the design's normal state
        Replaced, // what was typed is not what is sent
    };

    Kind kind = Kind::AsShown;
    QString shown;  // the field's text
    QString sent;   // what is sent, as the field would show it: "100", "97.8"
    QString reason; // why it differs: "out of range 70 to 100 percent: 100 is sent"

    // The reason as a sentence of its own, "" where there is none.
    QString sentence() const;
};

// The value of field `field` (an index into settingFields()), as if Send ran
// now. A pulse setting of 102 stands for zero, so it counts as showing 0; a
// count field showing "OFF" sends its disabled flag, as it shows.
SentValue sentValue(const SettingsForm &form, int field);

// Every field whose typed value Send would replace, one line each, in field
// order: "Pump working speed: 5 shown, 100 sent". Defaults are not listed.
QStringList replacedValues(const SettingsForm &form);

} // namespace operations
