#pragma once

#include "HeldSettings.h"
#include "Notice.h"
#include "ReplyRecord.h"
#include "SerialLink.h"
#include "SettingsFrame.h"
#include "SlotMap.h"

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <array>

class SettingsForm;

namespace operations {

// Connect, Send to Brewer and Read from Brewer: the serial line and the
// setting fields.

// The brewer's line: 9600 baud, no parity, 8 data bits, 1 stop bit.
inline constexpr QLatin1StringView BrewerLineSettings("9600,n,8,1");

// The port box's entries, "COM1" to "COM16": entry 0..15 stands for port
// number 1..16.
inline constexpr int PortChoiceCount = 16;
QString portChoiceText(int entry);

// The device a port choice names: an entry's port number, or any other text
// as the device it names ("/dev/ttyUSB0").
QString portChoiceDevice(const QString &choice);

// What Connect did.
struct ConnectOutcome
{
    bool opened = false;
    SerialLink::Problem problem = SerialLink::Problem::None; // what kept it shut
    QString reason;         // why the port did not open, in the user's terms
    QString presentDevices; // the serial ports this computer has, when it did not

    Notice notice() const;
};

// Connect: opens the port of `choice` at the brewer's line settings; bytes
// that were waiting on the device are dropped unless `waiting` keeps them.
ConnectOutcome connectToBrewer(SerialLink &link, const QString &choice,
                               SerialLink::Waiting waiting = SerialLink::Waiting::Drop);

// The frame Send to Brewer puts on the line: the form's table completed by
// FillDefaults (the defaults stay in it), then the frame for it and `logo`,
// or the refusal with its reason.
SettingsFrame frameToSend(SettingsForm &form, const QString &logo);

// What Send to Brewer did.
struct SendOutcome
{
    enum class Result { Sent, PortClosed, Refused, LineFailed };

    SendOutcome(Result result = Result::Sent, QString reason = {}, qsizetype bytes = 0)
        : result(result), reason(std::move(reason)), bytes(bytes)
    {}

    Result result;
    QString reason;       // why the frame was refused, or why the line failed
    qsizetype bytes = 0;  // the frame's length, when sent
    QByteArray frame;     // the frame, when sent
    QStringList replaced; // the fields whose typed value went out replaced (replacedValues())

    Notice notice() const;
};

// How far a send goes before it counts as done: handed to the system, which
// sends it on whatever the program does next, or out on the line, so that
// the port may be closed at once.
enum class SendWait { UntilQueued, UntilOnLine };

// Send to Brewer over an open port: what is still queued leaves first, then
// the frame of frameToSend(), handed to the port whole by sendFrame(). The
// outcome lists the fields whose typed value the frame replaced.
// Nothing is written, and FillDefaults does not run, while the port is
// closed.
SendOutcome sendToBrewer(SerialLink &link, SettingsForm &form, const QString &logo, SendWait wait);

// Writes a frame to the port as one block and waits as asked; a refused
// frame writes nothing. A port that fails while sending is closed.
SendOutcome sendFrame(SerialLink &link, const SettingsFrame &frame, SendWait wait);

// What Read from Brewer made of the bytes it took.
struct ReplyOutcome
{
    enum class Result { PortClosed, Bad, Good };

    Result result = Result::Bad;
    ReplyFault fault = ReplyFault::None; // why a bad record is bad
    qsizetype received = 0;              // the bytes that had arrived
    // A good record's count totals and calibration, as the window shows them.
    std::array<QString, ButtonCount> totals;
    QString calibration;
    BrewerReport report; // a good record's report
    // A good record compared with the frame sent before it, when one was.
    std::optional<QList<HeldDifference>> differences;
    QTime sentAt;

    bool good() const { return result == Result::Good; }
    // Why the record was not good, in a technician's words: nothing arrived,
    // it does not start with FF AA, or only some of its 39 bytes arrived.
    QString problem() const;
    // What the user is told: the port is closed, the record was shown, or
    // why it was not and that no setting changed.
    Notice notice() const;
};

// Read from Brewer on the bytes that were waiting: their dump, its pieces
// and the record they carry. A good record sets the 27 button fields of
// `form` to its bytes, each editor running in turn, a pulse field showing
// 102 (which stands for zero) then showing "0", and the pump speed and drip
// time, out of range showing 100 and 90; its calibration out of range shows
// 88. A bad one changes nothing: what the user set is still there, and goes
// into the next Send and Save.
ReplyOutcome takeReply(SettingsForm &form, QByteArrayView bytes);

// Read from Brewer on an open port: takeReply() on every byte waiting, and
// after a good record the port closed, and the record compared with `sent`,
// the frame sent last, if any. Nothing changes while the port is closed.
ReplyOutcome readFromBrewer(SerialLink &link, SettingsForm &form,
                            const std::optional<SentFrame> &sent = std::nullopt);

} // namespace operations
