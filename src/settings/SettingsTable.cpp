#include "SettingsTable.h"

#include "SlotForms.h"

std::optional<QString> SettingsTable::slot(int index) const
{
    Q_ASSERT(isValidIndex(index));
    if (!isValidIndex(index))
        return std::nullopt;
    return m_slots[index];
}

void SettingsTable::setSlot(int index, const QString &text)
{
    Q_ASSERT(isValidIndex(index));
    if (isValidIndex(index))
        m_slots[index] = text;
}

QString SettingsTable::defaultText(int index)
{
    if (index < ButtonSlots)
        return QStringLiteral("66");
    return slotWidth(index) == 4 ? QStringLiteral("0000") : QStringLiteral("00");
}

void SettingsTable::FillDefaults()
{
    for (int i = 0; i < UsedSlots; ++i) {
        auto &slot = m_slots[i];
        if (!slot || isZeroText(*slot))
            slot = defaultText(i);
    }
}
