#include "SerialLink.h"

#include "PortLockFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SerialLink)
};

// A wait in milliseconds as seconds: "3", "0.5".
QString secondsText(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}

} // namespace

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>

#endif

SerialLink::SerialLink(QObject *parent) : QObject(parent)
{
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // The port's own buffer grows by a whole block for each arrival, however
    // small; arrivals move at once into m_received, which holds them compactly.
    m_port.setReadBufferSize(0);
    applySettings();
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::gatherInput);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::portError);
}

SerialLink::~SerialLink()
{
    // The port outlives this object's other members while it is destroyed;
    // its last reports must not reach them.
    disconnect(&m_port, nullptr, this, nullptr);
    m_port.close();
}

QString SerialLink::deviceForPort(int number)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

void SerialLink::setPortNumber(int number)
{
    setDeviceName(deviceForPort(number));
}

void SerialLink::setDeviceName(const QString &name)
{
    m_deviceName = name;
    m_port.setPortName(name);
}

bool SerialLink::setSettings(const QString &text)
{
    const auto settings = LineSettings::parse(text);
    if (!settings)
        return false;
    m_settings = *settings;
    return applySettings();
}

bool SerialLink::applySettings()
{
    const bool baud = m_port.setBaudRate(m_settings.baudRate);
    const bool parity = m_port.setParity(m_settings.parity);
    const bool data = m_port.setDataBits(m_settings.dataBits);
    const bool stop = m_port.setStopBits(m_settings.stopBits);
    return baud && parity && data && stop;
}

bool SerialLink::open(Waiting waiting)
{
    if (m_port.isOpen())
        return true;
    m_failed = false;
    m_problem = Problem::None;
    m_errorString.clear();
    m_port.clearError();
#ifdef Q_OS_UNIX
    // Qt takes a lock file without its own lines for a stale one and
    // replaces it: look first.
    if (const auto holder = livePortLockHolder(systemLocation())) {
        m_problem = Problem::InUse;
        m_errorString = Words::tr("%1 names process %2, which is running")
                            .arg(holder->lockFile)
                            .arg(holder->process);
        return false;
    }
#endif
    if (!m_port.open(QIODevice::ReadWrite)) {
        noteOpenFailure();
        return false;
    }
    if (!lockDevice())
        return false;
    // Bytes the device held before the port opened belong to no one, unless
    // the caller waits for an answer that may have come already.
    if (waiting == Waiting::Drop)
        m_port.clear(QSerialPort::Input);
    m_received.clear();
    return true;
}

// Other serial programs take an flock on the device while they use it, and
// check for one before they do: hold the device the same way, and leave it
// to a program that holds it so already. The lock goes with the port's file
// descriptor when the port closes.
bool SerialLink::lockDevice()
{
#ifdef Q_OS_UNIX
    if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close();
        m_problem = error == EWOULDBLOCK ? Problem::InUse : Problem::Other;
        m_errorString = error == EWOULDBLOCK ? QString() : qt_error_string(error);
        return false;
    }
#endif
    return true;
}

// Qt reports a device that another program holds (by Qt's lock file or the
// kernel's exclusive mode) as a permission error, just like a device that
// this user may not open at all; the user's own access tells them apart.
void SerialLink::noteOpenFailure()
{
    m_errorString = m_port.errorString();
    m_problem =
        m_port.error() == QSerialPort::DeviceNotFoundError ? Problem::NoDevice : Problem::Other;
    if (m_port.error() != QSerialPort::PermissionError)
        return;
#ifdef Q_OS_WIN
    // Windows opens a COM port for one program at a time and answers every
    // other with "access denied"; it has no access rights of users to ports.
    m_problem = Problem::InUse;
#endif
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(systemLocation());
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0)
        m_problem = Problem::InUse;
    else if (errno == EACCES || errno == EPERM)
        m_problem = Problem::AccessDenied;
#endif
}

// The device's path: a bare name stands for one in /dev, as Qt takes it.
QString SerialLink::systemLocation() const
{
    return m_deviceName.startsWith(u'/') ? m_deviceName : QStringLiteral("/dev/") + m_deviceName;
}

void SerialLink::close()
{
    m_failed = false;
    m_received.clear();
    if (!m_port.isOpen())
        return;
    m_closing = true;
    m_port.close();
    m_closing = false;
}

// Moves what the port has gathered into m_received, as far as there is room
// under the limit, and drops the rest.
void SerialLink::gatherInput()
{
    const qint64 room = ReceiveLimit - m_received.size();
    if (room > 0) {
        m_received += m_port.read(qMin(room, m_port.bytesAvailable()));
        if (m_received.size() == ReceiveLimit)
            m_received.squeeze(); // full: it grows no further
    }
    m_port.skip(m_port.bytesAvailable());
}

QByteArray SerialLink::takeInput()
{
    if (!m_port.isOpen())
        return {};
    // A zero wait reads whatever the system holds without blocking, and
    // reports a time-out once nothing is left; each round's readyRead moves
    // what it read into m_received. The bound only guards against a device
    // that never stops sending.
    for (int round = 0; round < 256 && !m_failed && m_port.waitForReadyRead(0); ++round) {
    }
    if (m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    gatherInput();
    return std::exchange(m_received, {});
}

bool SerialLink::write(const QByteArray &bytes)
{
    if (!m_port.isOpen()) {
        m_errorString = Words::tr("The port is not open.");
        return false;
    }
    if (m_failed)
        return false;
    if (m_port.write(bytes) != bytes.size()) {
        m_errorString = m_port.errorString();
        return false;
    }
    return true;
}

bool SerialLink::drainOutput(int timeoutMs)
{
    if (!m_port.isOpen())
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_failed && m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(int(deadline.remainingTime())) && !m_failed) {
            if (m_port.error() == QSerialPort::TimeoutError) {
                m_port.clearError();
                m_errorString = Words::tr("The device took no data for %1 seconds.")
                                    .arg(secondsText(timeoutMs));
            } else {
                m_errorString = m_port.errorString();
            }
            return false;
        }
    }
    return !m_failed;
}

bool SerialLink::waitUntilSent(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    if (!drainOutput(int(deadline.remainingTime())))
        return false;
    // The bytes handed to the system leave as fast as the line takes them.
    // A device that has gone away no longer answers the question.
    while (m_port.isOpen()) {
        const std::optional<qint64> queued = queuedInSystem();
        if (!queued) {
            m_problem = Problem::DeviceLost;
            return false;
        }
        if (*queued == 0)
            break;
        if (deadline.hasExpired()) {
            m_errorString = Words::tr("%1 bytes were still waiting to leave the port after "
                                      "%2 seconds.")
                                .arg(*queued)
                                .arg(secondsText(timeoutMs));
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

// The bytes the system's driver still holds for the line: the terminal's
// output queue on Unix, the COM port's on Windows. Nothing, with
// errorString(), when the device does not answer.
std::optional<qint64> SerialLink::queuedInSystem()
{
#if defined(Q_OS_UNIX)
    int queued = 0;
    if (ioctl(m_port.handle(), TIOCOUTQ, &queued) != 0) {
        m_errorString = qt_error_string(errno);
        return std::nullopt;
    }
    return queued;
#elif defined(Q_OS_WIN)
    DWORD errors = 0;
    COMSTAT status = {};
    if (!ClearCommError(m_port.handle(), &errors, &status)) {
        m_errorString = qt_error_string(int(GetLastError()));
        return std::nullopt;
    }
    return status.cbOutQue;
#else
    return 0; // no way to ask: handed to the system counts as sent
#endif
}

void SerialLink::portError(QSerialPort::SerialPortError error)
{
    if (m_closing || m_failed || !m_port.isOpen())
        return;
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError &&
        error != QSerialPort::ResourceError)
        return;
    // Qt keeps reporting a gone device over and over while the port stays
    // open: the first report counts, the rest are no news.
    m_failed = true;
    m_problem = Problem::DeviceLost;
    m_errorString = m_port.errorString();
    // Closing inside the port's own report would pull the device from under
    // the code that raised it; close once control is back in the event loop.
    QMetaObject::invokeMethod(this, &SerialLink::closeLostDevice, Qt::QueuedConnection);
}

void SerialLink::closeLostDevice()
{
    // A user of the link that met the failure first has closed the port and
    // told the user already.
    if (!m_failed || !m_port.isOpen())
        return;
    const QString reason = m_errorString;
    close();
    emit deviceLost(reason);
}
