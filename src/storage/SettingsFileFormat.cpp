#include "SettingsFileFormat.h"

namespace {

constexpr QByteArrayView LineEnd("\r\n");

// Where the logo text starts: after `"Logo","`.
constexpr qsizetype LogoStart = 8;

QByteArray quoted(const QByteArray &item)
{
    return '"' + item + '"';
}

bool keyMatches(const QString &line, QLatin1StringView key)
{
    return QStringView(line).mid(1, key.size()) == key;
}

} // namespace

QByteArray settingsFileBytes(const SettingsTable &table, const QString &logo)
{
    QByteArray bytes;
    bytes += LineEnd;
    // The logo field takes only ASCII letters, digits and spaces from the
    // keyboard, and a loaded logo is Latin-1 already: nothing is lost here.
    bytes += quoted(QByteArray(LogoKey.data(), LogoKey.size())) + ',' + quoted(logo.toLatin1());
    for (const SettingsRecord &record : SettingsRecords) {
        bytes += LineEnd;
        bytes += quoted(QByteArray(record.key.data(), record.key.size())) + ',';
        for (int i = 0; i < record.count; ++i) {
            const QString text = table.slot(record.firstSlot + i).value_or(QString());
            bytes += quoted(text.toLatin1()) + ',';
        }
    }
    return bytes;
}

QStringList settingsFileLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << QString::fromLatin1(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << QString::fromLatin1(bytes.sliced(start));
    return lines;
}

SettingsLine readSettingsLine(const QString &line)
{
    SettingsLine result;
    if (keyMatches(line, LogoKey))
        result.logo =
            line.size() > LogoStart ? line.mid(LogoStart, line.size() - LogoStart - 1) : QString();
    for (const SettingsRecord &record : SettingsRecords) {
        if (!keyMatches(line, record.key))
            continue;
        result.record = &record;
        for (int i = 0; i < record.count; ++i)
            result.values.append(
                {record.firstSlot + i, i, line.mid(record.valueStart(i), record.width)});
        break;
    }
    return result;
}
