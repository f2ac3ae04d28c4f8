#include "SerialNotices.h"

namespace operations {

QString portClosedText()
{
    return QStringLiteral("Please connect COM  First ");
}

QString openFailureReason(SerialLink::Problem problem, const QString &systemWords)
{
    const QString systemReason = systemClause(systemWords);
    if (problem == SerialLink::Problem::InUse) {
        const QString inUse = QStringLiteral("the port is in use by another program");
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
    return QStringLiteral("To use serial ports your user must be in the dialout group: run sudo "
                          "adduser \"$USER\" dialout (on a system without sudo, run adduser "
                          "with your user's name and dialout as root), then log out and in again");
}

QString lineFailureReason(SerialLink::Problem problem, const QString &systemWords)
{
    const QString systemReason = systemClause(systemWords);
    if (problem != SerialLink::Problem::DeviceLost)
        return systemReason;
    const QString gone =
        QStringLiteral("the device went away: is the cable or adapter still plugged in?");
    return systemReason.isEmpty()
               ? gone
               : QStringLiteral("%1 (the system said: %2)").arg(gone, systemReason);
}

QString systemReport(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral("The system reported: %1").arg(reason);
}

Notice connectNotice(bool opened, const QString &reason, const QString &presentDevices)
{
    if (opened)
        return {QStringLiteral("COM Connect Successful "), {}, appTitle()};
    return {QStringLiteral("The COM Used !"), systemReport(reason) + u'\n' + presentDevices,
            appTitle()};
}

QString sendRefusedText()
{
    return QStringLiteral("The settings were not sent to the brewer.");
}

QString sendFailedText()
{
    return QStringLiteral("The brewer did not get the settings: the serial port failed while "
                          "sending.");
}

Notice receivedNotice()
{
    return {QStringLiteral("Receive Data Successful! "), {}, appTitle()};
}

Notice badRecordNotice(const QString &problem)
{
    return {
        QStringLiteral("The brewer's record was not read: %1 No setting was changed.").arg(problem),
        QStringLiteral("Read from Brewer shows the record the brewer has already sent: "
                       "press it again once the brewer has sent its record."),
        appTitle(), Notice::Icon::Warning};
}

Notice deviceLostNotice(const QString &reason)
{
    return {QStringLiteral("The serial port stopped working, so the brewer cannot be reached. The "
                           "port is now closed; check the cable, then press Connect."),
            systemReport(reason), appTitle(), Notice::Icon::Warning};
}

QString linkStatusText(const SerialLink &link, PortClosedBy closedBy)
{
    const QString device = link.deviceName();
    if (link.isOpen())
        return QStringLiteral("Connected to %1, %2").arg(device, link.settings().text());
    QString why;
    switch (closedBy) {
    case PortClosedBy::User:
        return QStringLiteral("Not connected");
    case PortClosedBy::GoodRead:
        why = QStringLiteral("Read from Brewer closed the port after a good reply: press Connect "
                             "before the next Send");
        break;
    case PortClosedBy::LostDevice:
        why = QStringLiteral("%1 went away; check the cable, then press Connect").arg(device);
        break;
    case PortClosedBy::FailedSend:
        why = QStringLiteral("%1 failed while sending; check the cable, then press Connect")
                  .arg(device);
        break;
    case PortClosedBy::FailedOpen:
        why = QStringLiteral("%1 could not be opened").arg(device);
        break;
    }
    return QStringLiteral("Not connected: ") + why;
}

} // namespace operations
