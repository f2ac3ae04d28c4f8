#include "SettingsFileLoader.h"

#include "SlotForms.h"

std::optional<QString> SettingsFileLoader::takeLine(const QString &line)
{
    ++m_lineNumber;
    const SettingsLine read = readSettingsLine(line);
    for (const CutValue &value : read.values) {
        const auto text = slotTextFromFile(*read.record, value.slot, value.text);
        if (!text)
            m_skipped.append({m_lineNumber, read.record, value.index, value.text});
        else if (read.record->flags)
            m_flags.insert(value.slot, *text);
        else
            m_table.setSlot(value.slot, *text);
    }
    return read.logo;
}

std::optional<QString> slotTextFromFile(const SettingsRecord &record, int slot,
                                        const QString &value)
{
    const QString text = value.toUpper();
    if (record.flags ? text != u"00" && text != u"01" : !isHexOfWidth(text, slotWidth(slot)))
        return std::nullopt;
    return text;
}

QString skippedValueText(const SkippedValue &value)
{
    const QString where = QStringLiteral("Line %1, \"%2\" value %3: ")
                              .arg(value.lineNumber)
                              .arg(value.record->key)
                              .arg(value.index + 1);
    if (value.text.isEmpty())
        return where + QStringLiteral("missing");
    // One arg() for both: a "%" in the file's text is not a place marker.
    return where + QStringLiteral("\"%1\" is not %2")
                       .arg(value.text,
                            value.record->flags
                                ? QStringLiteral("00 or 01")
                                : QStringLiteral("%1 hexadecimal digits").arg(value.record->width));
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
