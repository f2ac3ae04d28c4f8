#include "GeometryRecord.h"

#include "Twips.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr QStringView Separator = u"    ";

QString numberText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

// A record's number: leading spaces allowed. Records written at start-up hold
// whole numbers, which are read digit by digit; toDouble(), which handles the
// rest, costs several times the whole resize pass when used for all of them.
std::optional<double> parseNumber(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.sliced(1) : text;
    if (!digits.isEmpty() && digits.size() <= 15) {
        qint64 whole = 0;
        bool plain = true;
        for (QChar c : digits) {
            if (c < u'0' || c > u'9') {
                plain = false;
                break;
            }
            whole = whole * 10 + (c.unicode() - u'0');
        }
        if (plain)
            return double(negative ? -whole : whole);
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

GeometryRecord GeometryRecord::fromPixels(const QRect &rect)
{
    return {double(pixelsToTwips(rect.x())), double(pixelsToTwips(rect.y())),
            double(pixelsToTwips(rect.width())), double(pixelsToTwips(rect.height()))};
}

QRect GeometryRecord::toPixels() const
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

GeometryRecord GeometryRecord::scaled(double horizontal, double vertical) const
{
    return {left * horizontal, top * vertical, width * horizontal, height * vertical};
}

QString GeometryRecord::toText() const
{
    QString text;
    for (double value : {left, top, width, height}) {
        text += numberText(value);
        text += Separator;
    }
    return text;
}

std::optional<GeometryRecord> GeometryRecord::fromText(QStringView text)
{
    double values[4];
    qsizetype pos = 0;
    for (double &value : values) {
        const qsizetype end = text.indexOf(Separator, pos);
        if (end < 0)
            return std::nullopt;
        const auto number = parseNumber(text.sliced(pos, end - pos));
        if (!number)
            return std::nullopt;
        value = *number;
        pos = end + Separator.size();
    }
    if (!text.sliced(pos).trimmed().isEmpty())
        return std::nullopt;
    const GeometryRecord record{values[0], values[1], values[2], values[3]};
    if (record.width < 0 || record.height < 0)
        return std::nullopt;
    return record;
}

std::optional<double> scaleRatio(int current, int reference)
{
    if (reference <= 0)
        return std::nullopt;
    return double(current) / reference;
}
