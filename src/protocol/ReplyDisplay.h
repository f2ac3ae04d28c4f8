#pragma once

#include "SlotMap.h"

#include <QString>
#include <QStringList>

#include <array>

class SettingsForm;

// What Read from Brewer shows besides the setting fields: the brewer's
// three count totals and its current calibration, which feed no slot.
struct ReplyDisplay
{
    bool good = false; // the pieces held a whole record headed FF AA
    std::array<QString, ButtonCount> totals;
    QString calibration;
};

// Shows the reply carried by pieces 1..39 of a reply dump. A good one sets
// the 27 button fields of `form` to its bytes, each editor running in turn,
// a pulse field showing 102 (which stands for zero) then showing "0", and
// the pump speed and drip time, out of range showing 100 and 90; its
// calibration out of range shows 88. A bad one sets the button fields, the
// totals and the calibration to "0" and leaves pump speed and drip time.
ReplyDisplay showReply(SettingsForm &form, const QStringList &pieces);
