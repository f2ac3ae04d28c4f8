#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A decimal number read exactly from a field's text. Binary floating point
// would turn "97.8" times ten into 977.999..., and "70.05" times ten would no
// longer be a tie; here the digits are kept as typed.
class DecimalNumber
{
public:
    // Accepts surrounding spaces, an optional sign, digits with at most one
    // decimal point, and at least one digit. Anything else is not a number.
    static std::optional<DecimalNumber> parse(QStringView text);

    static DecimalNumber fromInt(qint64 value);

    // The number ten times larger: the first fraction digit moves left.
    DecimalNumber timesTen() const;

    // -1, 0 or 1 as this number is below, equal to or above `bound`.
    int compare(qint64 bound) const;

    bool inRange(qint64 low, qint64 high) const { return compare(low) >= 0 && compare(high) <= 0; }

    // The nearest whole number, a tie going to the even one.
    qint64 roundedHalfEven() const;

    // Whether the fraction holds any digit but zeros.
    bool hasFraction() const { return !m_fraction.isEmpty(); }

    // The same number: "97.80" and "+97.8" are one.
    bool operator==(const DecimalNumber &) const = default;

private:
    // Magnitudes beyond this are all "very large": no range comes near it,
    // and capping keeps the arithmetic from overflowing.
    static constexpr qint64 Cap = 1'000'000'000'000'000;

    bool m_negative = false;
    qint64 m_whole = 0; // 0..Cap
    QString m_fraction; // digits after the point, no trailing zeros
};
