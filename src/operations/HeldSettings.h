#pragma once

#include "ReplyRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace operations {

// Whether the brewer took what was sent: a good reply record compared with
// the last settings frame sent.

// What this run of a front end last put on the line, and when.
struct SentFrame
{
    QByteArray bytes;
    QTime at;
};

// A setting the brewer's record holds otherwise than the frame sent it.
// Values are written as the fields show them: a pulse setting of 102, which
// stands for zero, as "0"; the calibration in signs per ounce.
struct HeldDifference
{
    int field; // index into settingFields()
    QString sent;
    QString held;

    // Why its field is marked: "sent 25 at 14:02; the brewer holds 30".
    QString reason(const QTime &sentAt) const;
};

// The settings of `held` that differ from what `frame` sent: the 27 button
// settings, the pump speed, the drip time and the calibration, in field
// order. Nothing when `frame` is no whole settings frame.
std::optional<QList<HeldDifference>> heldDifferences(QByteArrayView frame,
                                                     const BrewerReport &held);

// "The brewer holds every setting sent at 14:02." or "2 settings differ from
// what was sent at 14:02: Left Button pulse brew setting 3 (sent 25, brewer
// 30), Pump working speed (sent 80, brewer 100)."
QString heldDifferencesText(const QList<HeldDifference> &differences, const QTime &sentAt);

} // namespace operations
