#pragma once

#include "SettingsTable.h"
#include "SlotForms.h"

#include <QString>

// What must hold of the settings table whatever reached the program: every
// slot 0..34 is unset or exactly its width of upper-case hexadecimal digits,
// and the disabled flags are "00" or "01". Returns a description of the first
// slot that breaks this, or an empty string.
inline QString tableProblem(const SettingsTable &table, bool requireSet = false)
{
    for (int i = 0; i < SettingsTable::UsedSlots; ++i) {
        const auto text = table.slot(i);
        if (!text) {
            if (requireSet)
                return QStringLiteral("slot %1 is unset").arg(i);
            continue;
        }
        const bool flag = i == 33 || i == 34;
        const bool ok = flag ? (*text == QLatin1String("00") || *text == QLatin1String("01"))
                             : isHexOfWidth(*text, SettingsTable::slotWidth(i));
        if (!ok)
            return QStringLiteral("slot %1 holds \"%2\"").arg(i).arg(*text);
    }
    return {};
}
