#pragma once

#include "Notice.h"
#include "SerialLink.h"

#include <QString>

namespace operations {

// What the steps on the serial line tell the user: Connect, Send, Read and
// a device that stops working while its port is open.

// "Please connect COM  First ": Send or Read without an open port. The two
// spaces and the space at the end are the program's own, kept as they are.
QString portClosedText();

// Why a port could not be opened, in the user's terms where it is clear what
// stands in the way: "the port is in use by another program", or the
// system's words and, for a user who may not use serial ports, which group
// to join.
QString openFailureReason(SerialLink::Problem problem, const QString &systemReason);

// The advice for a user who may not open serial devices.
QString dialoutAdvice();

// Why the line failed while it was open: a device that went away first in
// the user's words, then the system's; any other failure in the system's.
QString lineFailureReason(SerialLink::Problem problem, const QString &systemReason);

// The system's own words on a port failure, as the line under a notice.
QString systemReport(const QString &reason);

// "COM Connect Successful ", or "The COM Used !" with the reason and the
// serial ports this computer has.
Notice connectNotice(bool opened, const QString &reason, const QString &presentDevices);

// The first words of a refused frame's notice, and of a send the line
// failed, which the port closes.
QString sendRefusedText();
QString sendFailedText();

// "Receive Data Successful! ".
Notice receivedNotice();

// The brewer's record was not read, for `problem`; no setting changed.
Notice badRecordNotice(const QString &problem);

// The open port's device failed and the port has been closed.
Notice deviceLostNotice(const QString &reason);

// What closed the port, or kept it from opening, when it was not the user's
// own press of Connect.
enum class PortClosedBy { User, GoodRead, LostDevice, FailedSend, FailedOpen };

// What the status line under the form says of the link: "Connected to
// /dev/ttyUSB0, 9600 baud, 8N1" while the port is open; otherwise "Not
// connected", and why when the user did not close it.
QString linkStatusText(const SerialLink &link, PortClosedBy closedBy);

} // namespace operations
