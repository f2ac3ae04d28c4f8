#pragma once

#include "DecimalNumber.h"
#include "SettingFields.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct SlotWrite
{
    int slot;
    QString text;

    bool operator==(const SlotWrite &) const = default;
};

// What an editor makes of a field's text: the slot writes, in order, and the
// text the field must be set to, if any. Setting that text runs the editor
// again, and the second run never asks for a further rewrite.
struct FieldEdit
{
    QList<SlotWrite> writes;
    std::optional<QString> rewrite;
};

// Whether a field of `kind` takes `value` as it is: whether it lies within
// the field's range.
bool withinRange(FieldKind kind, const DecimalNumber &value);

// In the pulse and volume slots the value 102 stands for zero.
inline constexpr int ZeroStandIn = 102;

// Whether two values of a field of `kind` are one setting: in a pulse
// setting, where the fields show 102 as 0, they are the same.
bool sameSetting(FieldKind kind, const DecimalNumber &a, const DecimalNumber &b);

// Every editor reads the field's text as a decimal number. A blank text reads
// as 0; a text that is not a number (letters, two points, ...) writes nothing,
// so the slot keeps its last well-formed value. A value with a fraction is
// checked against the range as it stands and then rounded, ties to even.

// Pulse and volume fields: 0..102, otherwise 102 and the field shows "102".
FieldEdit editPulseOrVolume(int slot, const QString &text);

// Brewing count: 0..9999 in four digits, otherwise 9999 and the field shows "9999".
FieldEdit editCount(int slot, const QString &text);

// Brewing count with a disabled flag: "OFF" sets the flag to "01" and keeps
// the count; any other text sets the flag to "00" and edits the count.
FieldEdit editCountWithDisable(int countSlot, int flagSlot, const QString &text);

// Flowmeter calibration into slot 30: 70.0..105.0 in the calibration form,
// otherwise "0850" (88.0). The field is never rewritten.
FieldEdit editCalibration(int slot, const QString &text);

// Pump speed: 70..100, otherwise 100. Drip time: 70..105, otherwise 90.
// Neither field is rewritten.
FieldEdit editPumpSpeed(int slot, const QString &text);
FieldEdit editDripTime(int slot, const QString &text);

// The editor of `field` applied to `text`.
FieldEdit editField(const SettingField &field, const QString &text);

// Key filters on the code of a typed character. The digit filter passes "0"
// to "9", the logo filter letters, digits and space; both pass Backspace and
// the clipboard shortcuts (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), which edit a field
// without typing into it: what a paste brings in keeps to the field's
// characters as it arrives (keptEdit()).
bool digitFilterPasses(char16_t code);
bool logoFilterPasses(char16_t code);

// A digit: what a digit-only field is made of.
bool isDigitCharacter(char16_t code);

// The message the logo filter answers a refused character with.
QString logoFilterMessage();

// The most characters a user may type into the logo field.
inline constexpr int LogoTypedLimit = 16;

// A letter, digit or space: what a logo is made of.
bool isLogoCharacter(char16_t code);

// What a user's edit (typing, pasting, dropping) that turns a field's
// `previous` text into `next` keeps: of the characters it brings in, those
// `allowed` refuses are dropped, and with a `limit` those that would take
// the text past max(limit, previous length). A text the program set beyond
// those rules stays until the user edits it down.
struct KeptEdit
{
    QString text;     // the field's text after the edit
    qsizetype cursor; // where the cursor goes: after what was kept
    QString dropped;  // the characters dropped, "" for none
};
KeptEdit keptEdit(const QString &previous, const QString &next, bool (*allowed)(char16_t),
                  int limit = -1);

// The decimal texts a Default button puts into its row, pulse 1..8 and volume.
QStringList defaultRowTexts();

// Once a field shows a number that Load took from its slot or Read from the
// brewer's record (and its editor has run), the text it must show instead,
// if any: a pulse setting of 102, which stands for zero, shows "0"; a
// calibration outside 70..105 becomes "88", a pump speed outside 70..100
// "100", a drip time outside 70..105 "90".
std::optional<QString> shownCorrection(FieldKind kind, const QString &shown);

// What a count field with a disabled flag shows while its button is disabled.
QString disabledText();

// The text a Disable button puts into its count field.
QString toggledDisableText(const QString &current);

// What a field shows for its slot: the slot's hexadecimal number in decimal
// digits ("66" gives "102"), or for the calibration, whose slot holds H and L
// as two hexadecimal digits each, (H * 100 + L) / 10 in its shortest decimal
// form ("094E" gives "97.8", "0850" gives "88"). nullopt when the slot is
// unset or not hexadecimal: the field then keeps its text.
std::optional<QString> loadedFieldText(FieldKind kind, const std::optional<QString> &slot);
