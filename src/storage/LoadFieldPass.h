#pragma once

#include "SettingFields.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <utility>

// After the file's values are in the table, Load sets every setting field
// from its slot, in the order of settingFields(), and each assignment runs
// the field's editor. These are the texts it sets.

// What a field shows for its slot: the slot's hexadecimal number in decimal
// digits ("66" gives "102"), or for the calibration, whose slot holds H and L
// as two hexadecimal digits each, (H * 100 + L) / 10 in its shortest decimal
// form ("094E" gives "97.8", "0850" gives "88"). nullopt when the slot is
// unset or not hexadecimal: the field then keeps its text.
std::optional<QString> loadedFieldText(FieldKind kind, const std::optional<QString> &slot);

// Once the field shows a loaded text (and its editor has run), the text it
// must show instead, if any: a pulse setting of 102, which stands for zero,
// shows "0"; a calibration outside 70..105 becomes "88", a pump speed outside
// 70..100 "100", a drip time outside 70..105 "90".
std::optional<QString> loadedFieldCorrection(FieldKind kind, const QString &shown);

// Last, Load applies the disabled flags of the file's "Disable" record (by
// slot, as the loader holds them) as the Disable buttons would: each count
// field whose flag is "01" is set to "OFF", so that its editor sets the flag
// while the count slot keeps the count loaded from "Total cups". These are
// those fields, as indices into settingFields(), with the text to set. A
// flag of "00", or none, leaves the field as the field pass set it.
QList<std::pair<int, QString>> loadedDisableTexts(const QMap<int, QString> &flags);
