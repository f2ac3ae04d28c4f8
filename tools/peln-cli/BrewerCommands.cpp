// send and read: the brewer at the far end of a serial line.
#include "BrewerOperations.h"
#include "Commands.h"
#include "ReplyRecord.h"
#include "SerialLink.h"
#include "SettingNames.h"
#include "SettingsForm.h"
#include "Terminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

// Opens the port at the brewer's line settings; false, after saying why,
// when it fails.
bool openPort(SerialLink &link, const QString &device)
{
    const ConnectOutcome connected = connectToBrewer(link, device);
    if (!connected.opened)
        failed(QStringLiteral("%1 could not be opened: %2.\n%3")
                   .arg(device, connected.reason, connected.presentDevices));
    return connected.opened;
}

} // namespace

int sendCommand(const Invocation &invocation)
{
    const auto bytes = frameOfFile(fileOperand(invocation));
    if (!bytes)
        return Failed;
    const QString device = invocation.value("port");
    SerialLink link;
    if (!openPort(link, device))
        return Failed;
    const SendOutcome sent = sendFrame(link, {*bytes, {}}, SendWait::UntilOnLine);
    if (sent.result != SendOutcome::Result::Sent)
        return failed(QStringLiteral("the brewer did not get the settings: %1").arg(sent.reason));
    err() << "Sent " << sent.bytes << " bytes to " << device << Qt::endl;
    return Done;
}

int readCommand(const Invocation &invocation)
{
    bool isNumber = false;
    const double seconds = invocation.value("timeout").toDouble(&isNumber);
    if (!isNumber || seconds <= 0 || seconds > 86400)
        return failed(QStringLiteral("--timeout takes a number of seconds up to 86400."));
    const QString device = invocation.value("port");
    SerialLink link;
    if (!openPort(link, device))
        return Failed;
    const QDeadlineTimer deadline(qint64(seconds * 1000));
    err() << "Waiting up to " << seconds << " s for the brewer's record on " << device << Qt::endl;
    QByteArray bytes;
    while (bytes.size() < ReplyLength && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (!link.isOpen())
            return failed(QStringLiteral("the port stopped working: %1").arg(link.errorString()));
        bytes += link.takeInput();
        if (bytes.size() < ReplyLength)
            QThread::msleep(20);
    }
    SettingsForm form;
    const ReplyOutcome reply = takeReply(form, bytes);
    if (!reply.good()) {
        err() << "peln-cli: no good record from the brewer within " << seconds
              << " seconds: " << reply.problem() << Qt::endl;
        return Differs;
    }
    printValues(reportedSettings(form, reply), invocation.isSet("json"));
    return Done;
}
