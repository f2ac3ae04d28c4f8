#include "BrewerOperations.h"

#include "FieldEditors.h"
#include "SentValues.h"
#include "SerialLink.h"
#include "SerialNotices.h"
#include "SettingsForm.h"
#include "SlotForms.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(BrewerOperations)
};

} // namespace

namespace operations {

namespace {

// Sets the field to the reported value, its editor running, then to the
// value's correction: a pulse of 102 (or more, which the editor rewrites as
// 102) shows "0", a pump speed or drip time out of range its replacement.
void show(SettingsForm &form, int field, int value)
{
    form.setText(field, QString::number(value));
    if (const auto corrected = shownCorrection(settingFields()[field].kind, form.text(field)))
        form.setText(field, *corrected);
}

} // namespace

QString portChoiceText(int entry)
{
    return QStringLiteral("COM%1").arg(entry + 1);
}

QString portChoiceDevice(const QString &choice)
{
    for (int entry = 0; entry < PortChoiceCount; ++entry) {
        if (choice == portChoiceText(entry))
            return SerialLink::deviceForPort(entry + 1);
    }
    return choice;
}

Notice ConnectOutcome::notice() const
{
    return connectNotice(opened, reason, presentDevices);
}

ConnectOutcome connectToBrewer(SerialLink &link, const QString &choice, SerialLink::Waiting waiting)
{
    link.setSettings(BrewerLineSettings);
    link.setDeviceName(portChoiceDevice(choice));
    ConnectOutcome outcome;
    outcome.opened = link.open(waiting);
    if (!outcome.opened) {
        outcome.problem = link.problem();
        outcome.reason = openFailureReason(link.problem(), link.errorString());
        outcome.presentDevices = presentDevicesText(link.presentDevices());
    }
    return outcome;
}

SettingsFrame frameToSend(SettingsForm &form, const QString &logo)
{
    form.table().FillDefaults();
    return buildSettingsFrame(form.table(), logo);
}

SendOutcome sendToBrewer(SerialLink &link, SettingsForm &form, const QString &logo, SendWait wait)
{
    // Whatever is still queued leaves first: the queue is drained, never
    // cleared, so that every frame reaches the line whole.
    link.drainOutput();
    if (!link.isOpen())
        return {SendOutcome::Result::PortClosed};
    const QStringList replaced = replacedValues(form);
    SendOutcome outcome = sendFrame(link, frameToSend(form, logo), wait);
    outcome.replaced = replaced;
    return outcome;
}

SendOutcome sendFrame(SerialLink &link, const SettingsFrame &frame, SendWait wait)
{
    if (!frame.refusal.isEmpty())
        return {SendOutcome::Result::Refused, frame.refusal};
    // The frame leaves as one block and is drained, never discarded: the
    // brewer gets all of it or the user hears that it did not.
    const bool sent = link.write(frame.bytes) &&
                      (wait == SendWait::UntilOnLine ? link.waitUntilSent() : link.drainOutput());
    if (!sent) {
        const QString reason = lineFailureReason(link.problem(), link.errorString());
        link.close();
        return {SendOutcome::Result::LineFailed, reason};
    }
    SendOutcome outcome{SendOutcome::Result::Sent, {}, frame.bytes.size()};
    outcome.frame = frame.bytes;
    return outcome;
}

Notice SendOutcome::notice() const
{
    switch (result) {
    case Result::PortClosed:
        // Captioned "Msgbox", where Read's same notice has the program's
        // title: technicians know the two notices apart by it, so the odd
        // caption stays.
        return {portClosedText(), {}, QStringLiteral("Msgbox")};
    case Result::Refused:
        return {sendRefusedText(), reason, appTitle(), Notice::Icon::Warning};
    case Result::LineFailed:
        return {sendFailedText() + Words::tr(" The port is now closed; check the cable, then "
                                             "press Connect and send again."),
                reason, appTitle(), Notice::Icon::Warning};
    case Result::Sent:
        break;
    }
    const QString details =
        replaced.isEmpty()
            ? QString()
            : Words::tr("Sent in place of what the fields show:\n") + replaced.join(u'\n');
    return {Words::tr("Send Data Successful!"), details, appTitle()};
}

QString ReplyOutcome::problem() const
{
    switch (fault) {
    case ReplyFault::NothingArrived:
        return Words::tr("nothing arrived from the brewer.");
    case ReplyFault::WrongHeader:
        return Words::tr("what arrived does not start with FF AA.");
    case ReplyFault::TooShort:
        return Words::tr("only %1 of its %2 bytes arrived.").arg(received).arg(ReplyLength);
    case ReplyFault::None:
        break;
    }
    return {};
}

ReplyOutcome takeReply(SettingsForm &form, QByteArrayView bytes)
{
    ReplyOutcome outcome;
    outcome.received = bytes.size();
    const auto report = decodeReply(replyPieces(replyDump(bytes)));
    if (!report) {
        outcome.fault = replyFault(bytes);
        return outcome;
    }
    outcome.result = ReplyOutcome::Result::Good;
    outcome.report = *report;
    std::ranges::transform(report->countTotals, outcome.totals.begin(),
                           [](int count) { return QString::number(count); });
    for (int i = 0; i < ButtonSlots; ++i)
        show(form, i, report->buttonSettings[i]);
    const int tenths = report->calibrationTenths;
    outcome.calibration = tenthsText(
        CalibrationTenthsRange.contains(tenths) ? tenths : CalibrationTenthsRange.replacement);
    for (int i = ButtonSlots; i < SettingFieldCount; ++i) {
        const FieldKind kind = settingFields()[i].kind;
        if (kind == FieldKind::PumpSpeed || kind == FieldKind::DripTime)
            show(form, i, kind == FieldKind::PumpSpeed ? report->pumpSpeed : report->dripTime);
    }
    return outcome;
}

ReplyOutcome readFromBrewer(SerialLink &link, SettingsForm &form,
                            const std::optional<SentFrame> &sent)
{
    ReplyOutcome closed;
    closed.result = ReplyOutcome::Result::PortClosed;
    if (!link.isOpen())
        return closed;
    ReplyOutcome outcome = takeReply(form, link.takeInput());
    if (!outcome.good())
        return outcome;
    link.close();
    if (sent) {
        outcome.differences = heldDifferences(sent->bytes, outcome.report);
        outcome.sentAt = sent->at;
    }
    return outcome;
}

Notice ReplyOutcome::notice() const
{
    switch (result) {
    case Result::PortClosed:
        return {portClosedText(), {}, appTitle()};
    case Result::Good: {
        Notice received = receivedNotice();
        if (differences)
            received.details = heldDifferencesText(*differences, sentAt);
        return received;
    }
    case Result::Bad:
        break;
    }
    return badRecordNotice(problem());
}

} // namespace operations
