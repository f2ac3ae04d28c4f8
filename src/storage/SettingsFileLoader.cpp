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
