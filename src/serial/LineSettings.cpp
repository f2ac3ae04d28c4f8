#include "LineSettings.h"

#include <QStringList>

#include <utility>

namespace {

// How the settings text writes each parity and each number of stop bits.
const std::pair<QLatin1StringView, QSerialPort::Parity> Parities[] = {
    {QLatin1StringView("n"), QSerialPort::NoParity},
    {QLatin1StringView("e"), QSerialPort::EvenParity},
    {QLatin1StringView("o"), QSerialPort::OddParity},
    {QLatin1StringView("m"), QSerialPort::MarkParity},
    {QLatin1StringView("s"), QSerialPort::SpaceParity}};
const std::pair<QLatin1StringView, QSerialPort::StopBits> StopBitCounts[] = {
    {QLatin1StringView("1"), QSerialPort::OneStop},
    {QLatin1StringView("1.5"), QSerialPort::OneAndHalfStop},
    {QLatin1StringView("2"), QSerialPort::TwoStop}};

template <typename Value, std::size_t N>
std::optional<Value> valueOf(const std::pair<QLatin1StringView, Value> (&table)[N],
                             QStringView text)
{
    for (const auto &[written, value] : table) {
        if (text == written)
            return value;
    }
    return std::nullopt;
}

template <typename Value, std::size_t N>
QString textOf(const std::pair<QLatin1StringView, Value> (&table)[N], Value value)
{
    for (const auto &[written, known] : table) {
        if (known == value)
            return written;
    }
    return QStringLiteral("?");
}

} // namespace

std::optional<LineSettings> LineSettings::parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings settings;

    bool ok = false;
    settings.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        return std::nullopt;

    const auto parity = valueOf(Parities, parts[1].trimmed().toLower());
    if (!parity)
        return std::nullopt;
    settings.parity = *parity;

    const int dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        return std::nullopt;
    settings.dataBits = QSerialPort::DataBits(dataBits);

    const auto stopBits = valueOf(StopBitCounts, parts[3].trimmed());
    if (!stopBits)
        return std::nullopt;
    settings.stopBits = *stopBits;
    return settings;
}

QString LineSettings::text() const
{
    return QStringLiteral("%1 baud, %2%3%4")
        .arg(baudRate)
        .arg(int(dataBits))
        .arg(textOf(Parities, parity).toUpper(), textOf(StopBitCounts, stopBits));
}
