#include "SerialNotices.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SerialNotices)
};

} // namespace

namespace operations {

QString portClosedText()
{
    //: Shown when Send or Read finds the port closed. The English keeps its two
    //: spaces and the space at the end, as technicians know it.
    return Words::tr("Please connect COM  First ");
}

QString openFailureReason(SerialLink::Problem problem, const QString &systemWords)
{
    const QString systemReason = systemClause(systemWords);
    if (problem == SerialLink::Problem::InUse) {
        const QString inUse = Words::tr("the port is in use by another program");
        return systemReason.isEmpty() ? inUse : QStringLiteral("%1 (%2)").arg(inUse, systemReason);
    }
#ifdef Q_OS_LINUX
    if (problem == SerialLink::Problem::AccessDenied)
        return systemReason + QStringLiteral(". ") + dialoutAdvice();
#endif
    return systemReason;
}

QString dialoutAdvice()
{
    return Words::tr("To use serial ports your user must be in the dialout group: run sudo "
                     "adduser \"$USER\" dialout (on a system without sudo, run adduser "
                     "with your user's name and dialout as root), then log out and in again");
}

QString lineFailureReason(SerialLink::Problem problem, const QString &systemWords)
{
    const QString systemReason = systemClause(systemWords);
    if (problem != SerialLink::Problem::DeviceLost)
        return systemReason;
    const QString gone =
        Words::tr("the device went away: is the cable or adapter still plugged in?");
    return systemReason.isEmpty() ? gone
                                  : Words::tr("%1 (the system said: %2)").arg(gone, systemReason);
}

QString systemReport(const QString &reason)
{
    return reason.isEmpty() ? QString() : Words::tr("The system reported: %1").arg(reason);
}

Notice connectNotice(bool opened, const QString &reason, const QString &presentDevices)
{
    if (opened)
        //: The port opened. The English keeps its space at the end.
        return {Words::tr("COM Connect Successful "), {}, appTitle()};
    //: The port could not be opened (in use, or refused): the English, odd as
    //: it is, is what technicians know.
    return {Words::tr("The COM Used !"), systemReport(reason) + u'\n' + presentDevices, appTitle()};
}

QString sendRefusedText()
{
    return Words::tr("The settings were not sent to the brewer.");
}

QString sendFailedText()
{
    return Words::tr("The brewer did not get the settings: the serial port failed while "
                     "sending.");
}

Notice receivedNotice()
{
    //: Read from Brewer got a good record. The English keeps its space at the end.
    return {Words::tr("Receive Data Successful! "), {}, appTitle()};
}

Notice badRecordNotice(const QString &problem)
{
    return {Words::tr("The brewer's record was not read: %1 No setting was changed.").arg(problem),
            Words::tr("Read from Brewer shows the record the brewer has already sent: "
                      "press it again once the brewer has sent its record."),
            appTitle(), Notice::Icon::Warning};
}

Notice deviceLostNotice(const QString &reason)
{
    return {Words::tr("The serial port stopped working, so the brewer cannot be reached. The "
                      "port is now closed; check the cable, then press Connect."),
            systemReport(reason), appTitle(), Notice::Icon::Warning};
}

QString linkStatusText(const SerialLink &link, PortClosedBy closedBy)
{
    const QString device = link.deviceName();
    if (link.isOpen())
        return Words::tr("Connected to %1, %2").arg(device, link.settings().text());
    QString why;
    switch (closedBy) {
    case PortClosedBy::User:
        return Words::tr("Not connected");
    case PortClosedBy::GoodRead:
        why = Words::tr("Read from Brewer closed the port after a good reply: press Connect "
                        "before the next Send");
        break;
    case PortClosedBy::LostDevice:
        why = Words::tr("%1 went away; check the cable, then press Connect").arg(device);
        break;
    case PortClosedBy::FailedSend:
        why = Words::tr("%1 failed while sending; check the cable, then press Connect").arg(device);
        break;
    case PortClosedBy::FailedOpen:
        why = Words::tr("%1 could not be opened").arg(device);
        break;
    }
    return Words::tr("Not connected: ") + why;
}

} // namespace operations
