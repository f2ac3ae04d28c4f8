#include "SettingsFileLoader.h"

#include "SlotForms.h"

std::optional<QString> SettingsFileLoader::takeLine(const QString &line)
{
    ++m_lineNumber;
    const SettingsLine read = readSettingsLine(line);
    m_logoFound = m_logoFound || read.logo;
    if (read.record)
        m_recordFound[read.record - SettingsRecords.data()] = true;
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

QStringList SettingsFileLoader::missingRecords() const
{
    QStringList missing;
    if (!m_logoFound)
        missing << LogoKey;
    for (std::size_t i = 0; i < SettingsRecords.size(); ++i) {
        if (!m_recordFound[i])
            missing << SettingsRecords[i].key;
    }
    return missing;
}
