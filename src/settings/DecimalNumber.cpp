#include "DecimalNumber.h"

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qint64 appendDigit(qint64 whole, int digit, qint64 cap)
{
    return std::min(cap, whole * 10 + digit);
}

} // namespace

std::optional<DecimalNumber> DecimalNumber::parse(QStringView text)
{
    text = text.trimmed();
    DecimalNumber number;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        number.m_negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        number.m_whole = appendDigit(number.m_whole, text[i].digitValue(), Cap);
        anyDigit = true;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            number.m_fraction.append(text[i]);
            anyDigit = true;
        }
    }
    if (!anyDigit || i != text.size())
        return std::nullopt;

    while (number.m_fraction.endsWith(QLatin1Char('0')))
        number.m_fraction.chop(1);
    if (number.m_whole == 0 && number.m_fraction.isEmpty())
        number.m_negative = false; // "-0" is plain zero
    return number;
}

DecimalNumber DecimalNumber::fromInt(qint64 value)
{
    DecimalNumber number;
    number.m_negative = value < 0;
    number.m_whole = std::min(Cap, value < 0 ? -value : value);
    return number;
}

DecimalNumber DecimalNumber::timesTen() const
{
    DecimalNumber result = *this;
    const int digit = m_fraction.isEmpty() ? 0 : m_fraction.front().digitValue();
    result.m_whole = appendDigit(m_whole, digit, Cap);
    result.m_fraction = m_fraction.mid(1);
    return result;
}

int DecimalNumber::compare(qint64 bound) const
{
    // Work on magnitudes, flipping the answer for negative numbers.
    const bool boundNegative = bound < 0;
    if (m_negative != boundNegative)
        return m_negative ? -1 : 1;
    const qint64 boundMagnitude = boundNegative ? -bound : bound;
    int magnitudeOrder = 0;
    if (m_whole != boundMagnitude)
        magnitudeOrder = m_whole < boundMagnitude ? -1 : 1;
    else if (!m_fraction.isEmpty())
        magnitudeOrder = 1;
    return m_negative ? -magnitudeOrder : magnitudeOrder;
}

qint64 DecimalNumber::roundedHalfEven() const
{
    qint64 magnitude = m_whole;
    if (!m_fraction.isEmpty()) {
        const int first = m_fraction.front().digitValue();
        const bool exactHalf = m_fraction == QLatin1String("5");
        if (first > 5 || (first == 5 && !exactHalf) || (exactHalf && magnitude % 2 == 1))
            magnitude = std::min(Cap, magnitude + 1);
    }
    return m_negative ? -magnitude : magnitude;
}
