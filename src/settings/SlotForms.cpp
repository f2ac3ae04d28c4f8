#include "SlotForms.h"

namespace {

QString hexForm(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString twoDigitForm(int value)
{
    return hexForm(value, 2);
}

QString fourDigitForm(int value)
{
    return hexForm(value, 4);
}

QString calibrationForm(int tenths)
{
    return twoDigitForm(tenths / 100) + twoDigitForm(tenths % 100);
}

QString tenthsText(int tenths)
{
    const QString whole = QString::number(tenths / 10);
    if (tenths % 10 == 0)
        return whole;
    return whole + QLatin1Char('.') + QString::number(tenths % 10);
}

bool isZeroText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c != QLatin1Char('0'))
            return false;
    }
    return true;
}

bool isHexOfWidth(const QString &text, int width)
{
    if (text.size() != width)
        return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}
