#pragma once

#include "SettingFields.h"

#include <QString>

// The words in which the window names its settings and their ranges: the
// names a screen reader announces, the hints shown over each field, and what
// a refused settings frame says.

// What slot 0..34 holds: "Center Button pulse brew setting 3", "Right Button
// brewing count to write", "Flowmeter calibration, new setting", "Pump
// working speed", "Drip-out time", "Center Button disabled flag".
QString slotName(int slot);

// The range of a field of `kind`, with its unit: "70 to 100 percent".
QString rangeText(FieldKind kind);

// The range of `field` and what a number outside it becomes, and what Send
// sends for the field while it still shows the 0 it opens with, where that
// is not what a typed 0 becomes: "0 to 102; a larger number becomes 102",
// "70 to 100 percent; any other number is sent as 100; until the field is
// changed, 0 is sent".
QString rangeHint(const SettingField &field);

// What a digit-only field of `kind` takes, for a user whose key it refused:
// "Whole numbers 0 to 102".
QString digitsHint(FieldKind kind);

// The Default and Disable buttons of button row 0..2, as a screen reader
// names them: "Left Button default settings", "Center Button disable".
QString defaultButtonName(int row);
QString disableButtonName(int row);

// The logo field's name, and what may be typed into it.
QString logoName();
QString logoHint();

// What the read-only boxes show: the total count the brewer reported for
// button 0..2 ("Brewer's total count, Left Button"), and its calibration.
QString reportedTotalName(int button);
QString reportedCalibrationName();
// What those boxes say beyond their names.
QString reportedByBrewerHint();
