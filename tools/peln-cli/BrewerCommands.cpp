// send and read: the brewer at the far end of a serial line.
#include "BrewerOperations.h"
#include "Commands.h"
#include "SerialLink.h"
#include "SerialNotices.h"
#include "SettingsForm.h"
#include "Terminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(BrewerCommands)
};

} // namespace

using namespace operations;

namespace {

// Opens the port at the brewer's line settings; nothing, or after saying
// why it failed, the status to end with: Busy for a port another program
// holds, NoDevice for one that names no device.
std::optional<Status> openPort(SerialLink &link, const QString &port, SerialLink::Waiting waiting)
{
    const ConnectOutcome connected = connectToBrewer(link, port, waiting);
    if (connected.opened)
        return std::nullopt;
    const QString device = link.deviceName();
    return failed(Words::tr("%1 could not be opened: %2.\n%3")
                      .arg(device == port ? port : QStringLiteral("%1 (%2)").arg(port, device),
                           connected.reason, connected.presentDevices),
                  connected.problem == SerialLink::Problem::InUse      ? Status::Busy
                  : connected.problem == SerialLink::Problem::NoDevice ? Status::NoDevice
                                                                       : Status::Failed);
}

// The --timeout in seconds; nothing, after saying why, for a bad one.
std::optional<double> timeoutOf(const Invocation &invocation)
{
    bool isNumber = false;
    const double seconds = invocation.value("timeout").toDouble(&isNumber);
    if (isNumber && seconds > 0 && seconds <= 86400)
        return seconds;
    failed(Words::tr("--timeout takes a number of seconds up to 86400."));
    return std::nullopt;
}

// Waits for the brewer's record on the open port and takes it as Read from
// Brewer does into `form`; nothing, after saying why, when no good record
// came in time or the port stopped working.
std::optional<ReplyOutcome> awaitRecord(SerialLink &link, double seconds, SettingsForm &form)
{
    const QDeadlineTimer deadline(qint64(seconds * 1000));
    progress(Words::tr("Waiting up to %1 s for the brewer's record on %2")
                 .arg(seconds)
                 .arg(link.deviceName()));
    QByteArray bytes;
    while (bytes.size() < ReplyLength && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (!link.isOpen()) {
            failed(Words::tr("the port stopped working: %1")
                       .arg(lineFailureReason(link.problem(), link.errorString())));
            return std::nullopt;
        }
        bytes += link.takeInput();
        if (bytes.size() < ReplyLength)
            QThread::msleep(20);
    }
    const ReplyOutcome reply = takeReply(form, bytes);
    if (!reply.good()) {
        err() << "peln-cli: "
              << Words::tr("no good record from the brewer within %1 seconds: %2")
                     .arg(seconds)
                     .arg(reply.problem())
              << Qt::endl;
        return std::nullopt;
    }
    return reply;
}

// Prints the brewer's record as Read from Brewer shows it.
Status printRecord(SerialLink &link, double seconds, bool json)
{
    SettingsForm form;
    const auto reply = awaitRecord(link, seconds, form);
    if (!reply)
        return link.isOpen() ? Status::Differs : Status::Failed;
    printValues(reportedSettings(form, *reply), json);
    return Status::Done;
}

// Prints each setting the brewer's record holds otherwise than `frame` sent
// it, "name: sent 25, brewer 30" or one JSON object, and says on standard
// error whether the brewer holds every setting sent.
Status verifyRecord(SerialLink &link, double seconds, const QByteArray &frame, bool json)
{
    SettingsForm form;
    const auto reply = awaitRecord(link, seconds, form);
    if (!reply)
        return link.isOpen() ? Status::Differs : Status::Failed;
    const QList<HeldDifference> differences = heldDifferences(frame, reply->report).value();
    QStringList lines;
    for (const HeldDifference &difference : differences) {
        const QString name = fieldName(difference.field);
        lines << (json ? QStringLiteral("\"%1\": {\"sent\": %2, \"brewer\": %3}")
                             .arg(name, difference.sent, difference.held)
                       : QStringLiteral("%1: sent %2, brewer %3")
                             .arg(name, difference.sent, difference.held));
    }
    if (json)
        out() << "{" << (lines.isEmpty() ? "" : "\n    " + lines.join(",\n    ") + '\n') << "}\n";
    else if (!lines.isEmpty())
        out() << lines.join('\n') << '\n';
    progress(heldDifferencesText(differences, QTime::currentTime()));
    return differences.isEmpty() ? Status::Done : Status::Differs;
}

} // namespace

Status sendCommand(const Invocation &invocation)
{
    const auto seconds = timeoutOf(invocation);
    if (!seconds)
        return Status::Failed;
    Status status = Status::Done;
    const auto bytes = frameOfFile(invocation.file, invocation.isSet("force"), &status);
    if (!bytes)
        return status;
    SerialLink link;
    if (const auto failure = openPort(link, invocation.value("port"), SerialLink::Waiting::Drop))
        return *failure;
    const SendOutcome sent = sendFrame(link, {*bytes, {}}, SendWait::UntilOnLine);
    if (sent.result != SendOutcome::Result::Sent)
        return failed(Words::tr("the brewer did not get the settings: %1").arg(sent.reason));
    progress(Words::tr("Sent %1 bytes to %2").arg(sent.bytes).arg(link.deviceName()));
    const bool json = invocation.isSet("json");
    if (invocation.isSet("verify"))
        return verifyRecord(link, *seconds, *bytes, json);
    return invocation.isSet("read") ? printRecord(link, *seconds, json) : Status::Done;
}

Status readCommand(const Invocation &invocation)
{
    const auto seconds = timeoutOf(invocation);
    if (!seconds)
        return Status::Failed;
    SerialLink link;
    if (const auto failure = openPort(link, invocation.value("port"), SerialLink::Waiting::Keep))
        return *failure;
    return printRecord(link, *seconds, invocation.isSet("json"));
}

Status portsCommand(const Invocation &invocation)
{
    const QList<SerialDevice> devices = SerialLink().presentDevices();
    if (invocation.isSet("json")) {
        QJsonArray list;
        for (const SerialDevice &device : devices)
            list.append(QJsonObject{{QStringLiteral("device"), device.path},
                                    {QStringLiteral("description"), device.description},
                                    {QStringLiteral("maker"), device.maker},
                                    {QStringLiteral("byId"), device.stableName}});
        out() << QJsonDocument(list).toJson();
        return Status::Done;
    }
    for (const SerialDevice &device : devices)
        out() << QStringList{device.path, device.description, device.maker, device.stableName}.join(
                     u'\t')
              << '\n';
    if (devices.isEmpty())
        progress(Words::tr("No serial port was found on this computer."));
    return Status::Done;
}
