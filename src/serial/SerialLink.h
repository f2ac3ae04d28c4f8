#pragma once

#include "LineSettings.h"
#include "SerialDevices.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <optional>

// The serial port to the brewer, which the window and peln-cli each open,
// and the only code that talks to QSerialPort.
//
// Received bytes stay buffered, in arrival order, until takeInput() takes
// them. They are moved off the port as they arrive into one compact buffer
// that keeps the first ReceiveLimit bytes since the port opened or was last
// taken from, and drops the rest: a far end that never stops talking costs
// no more memory than that, and a reply record is far shorter. Queued output
// is never discarded, so what was written reaches the line whole. A device
// that fails while the port is open (an adapter pulled out, the far end of a
// pseudo-terminal gone) gets its port closed and is reported once, through
// deviceLost().
//
// The link reports facts: what failed, what stood in the way and the
// system's own words. What to tell the user is the front ends' business.
//
// While the port is open the link holds its device exclusively. On Unix that
// takes Qt's lock file and an flock on the device, which is what other
// serial programs check before they use a port, and it leaves alone a device
// that a running program has marked busy with a lock file of its own. On
// Windows the system itself opens a COM port for one program at a time.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    // The most received bytes held until takeInput() takes them.
    static constexpr qsizetype ReceiveLimit = 64 * 1024;

    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    // The system's device for port number n (1 stands for "COM1"): "COMn" on
    // Windows, "/dev/ttyS<n-1>" on other systems.
    static QString deviceForPort(int number);

    void setPortNumber(int number);
    // A device by its name as it stands: "/dev/ttyUSB0", "/dev/pts/3", "COM5".
    void setDeviceName(const QString &name);
    QString deviceName() const { return m_deviceName; }

    // The serial devices this computer has, from the system's list unless a
    // lister has been set in its place.
    QList<SerialDevice> presentDevices() const { return m_listDevices(); }
    void setDeviceLister(SerialDeviceLister lister) { m_listDevices = std::move(lister); }

    // Line settings such as "4800,e,7,2", applied at once to an open port and
    // at the next open() otherwise. False, changing nothing, for a text that
    // names no line settings.
    bool setSettings(const QString &text);
    const LineSettings &settings() const { return m_settings; }

    // What went wrong last: another program holding the device, no such
    // device, a user without access to it, the open device gone away, or
    // anything else.
    enum class Problem { None, InUse, NoDevice, AccessDenied, DeviceLost, Other };

    // What becomes of bytes the device held before the port opened.
    enum class Waiting { Drop, Keep };

    // Opens the device for reading and writing, exclusively, at the line
    // settings. On failure the port stays closed, and problem() and
    // errorString() say why.
    bool open(Waiting waiting = Waiting::Drop);
    // Closes the port; what it held, received or queued, is dropped.
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    Problem problem() const { return m_problem; }
    // The system's words on the last failure; "" when it gave none.
    QString errorString() const { return m_errorString; }

    // Bytes held since the port opened and not taken yet (at most ReceiveLimit).
    qint64 waitingCount() const { return m_received.size(); }

    // Takes every held byte as received, without character-set conversion,
    // including bytes the system holds that the port has not gathered yet.
    QByteArray takeInput();

    // Queues the bytes for the line, one byte each. False when the port is
    // closed or its device has failed.
    bool write(const QByteArray &bytes);

    // Waits until everything queued has been handed to the device, so that
    // nothing queued is lost; a closed port has nothing to drain. False when
    // the device fails or has not taken the bytes within `timeoutMs`.
    bool drainOutput(int timeoutMs = 3000);

    // Waits until every byte written has left the port for the line, the
    // system's own queue included. False, with errorString(), when that does
    // not happen within `timeoutMs`.
    bool waitUntilSent(int timeoutMs = 5000);

signals:
    // The open device failed; its port has been closed.
    void deviceLost(const QString &reason);

private:
    void gatherInput();
    bool lockDevice();
    std::optional<qint64> queuedInSystem();
    void noteOpenFailure();
    QString systemLocation() const;
    void portError(QSerialPort::SerialPortError error);
    void closeLostDevice();
    bool applySettings();

    QSerialPort m_port;
    QString m_deviceName;
    SerialDeviceLister m_listDevices = systemSerialDevices;
    LineSettings m_settings;
    QByteArray m_received; // the first ReceiveLimit bytes since the last take
    QString m_errorString;
    Problem m_problem = Problem::None;
    bool m_failed = false;  // the open device failed and its port is still to be closed
    bool m_closing = false; // errors raised while closing are no news
};
