#include "SettingsFileLoader.h"

#include "SlotForms.h"

std::optional<QString> SettingsFileLoader::takeLine(const QString &line)
{
    ++m_lineNumber;
    const SettingsLine read = readSettingsLine(line);
    for (const CutValue &value : read.values) {
        if (const auto text = slotTextFromFile(value.slot, value.text))
            m_table.setSlot(value.slot, *text);
        else
            m_skipped.append(
                {m_lineNumber, read.record->key, value.index, read.record->width, value.text});
    }
    return read.logo;
}

std::optional<QString> slotTextFromFile(int slot, const QString &value)
{
    const QString text = value.toUpper();
    if (!isHexOfWidth(text, SettingsTable::slotWidth(slot)))
        return std::nullopt;
    return text;
}

QString skippedValueText(const SkippedValue &value)
{
    const QString where = QStringLiteral("Line %1, \"%2\" value %3: ")
                              .arg(value.lineNumber)
                              .arg(value.key)
                              .arg(value.index + 1);
    if (value.text.isEmpty())
        return where + QStringLiteral("missing");
    // One arg() for both: a "%" in the file's text is not a place marker.
    return where + QStringLiteral("\"%1\" is not %2 hexadecimal digits")
                       .arg(value.text, QString::number(value.width));
}

QString skippedValuesReport(const QList<SkippedValue> &skipped, int limit)
{
    QStringList lines;
    for (const SkippedValue &value : skipped.first(qMin(skipped.size(), qsizetype(limit))))
        lines << skippedValueText(value);
    if (skipped.size() > limit)
        lines << QStringLiteral("... and %1 more").arg(skipped.size() - limit);
    return lines.join(QLatin1Char('\n'));
}
