#pragma once

#include <QString>

// The text forms in which settings travel: upper-case hexadecimal, padded on
// the left with "0", no prefix. The caller keeps the value within the width.

// 0..255 as two digits: 10 gives "0A", 102 gives "66".
QString twoDigitForm(int value);

// 0..65535 as four digits: 9999 gives "270F".
QString fourDigitForm(int value);

// A flowmeter calibration times ten (700..1050) as the two-digit form of its
// hundreds followed by the two-digit form of the rest: 880 gives "0850".
QString calibrationForm(int tenths);

// A calibration in tenths (0 or more) as the decimal number a field shows,
// without a fraction when whole: 880 gives "88", 978 gives "97.8".
QString tenthsText(int tenths);

// True when the text is one or more "0" digits, that is, reads as hexadecimal 0.
bool isZeroText(const QString &text);

// True when the text is exactly `width` upper-case hexadecimal digits.
bool isHexOfWidth(const QString &text, int width);
