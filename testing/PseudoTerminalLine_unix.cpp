#include "PseudoTerminalLine.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminalLine::PseudoTerminalLine(QObject *parent) : QObject(parent) {}

PseudoTerminalLine::~PseudoTerminalLine()
{
    close();
}

bool PseudoTerminalLine::open(bool notify)
{
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    if (openpty(&m_farEnd, &m_nearEnd, name, &raw, nullptr) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_farEnd = m_nearEnd = -1;
        return false;
    }
    ::fcntl(m_farEnd, F_SETFL, ::fcntl(m_farEnd, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
    if (notify) {
        m_notifier = new QSocketNotifier(m_farEnd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PseudoTerminalLine::readyRead);
    }
    return true;
}

bool PseudoTerminalLine::isOpen() const
{
    return m_farEnd >= 0;
}

QByteArray PseudoTerminalLine::readAll()
{
    QByteArray bytes;
    char buffer[4096];
    while (m_farEnd >= 0) {
        const ssize_t n = ::read(m_farEnd, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    return bytes;
}

bool PseudoTerminalLine::write(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qsizetype n = writeSome(bytes.sliced(done));
        if (n < 0)
            return false;
        if (n == 0)
            waitForRoom(10); // the program has not read what waits yet
        done += n;
    }
    return true;
}

qsizetype PseudoTerminalLine::writeSome(QByteArrayView bytes)
{
    if (m_farEnd < 0) {
        m_error = QStringLiteral("the line is closed");
        return -1;
    }
    const ssize_t n = ::write(m_farEnd, bytes.data(), size_t(bytes.size()));
    if (n >= 0)
        return n;
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    return -1;
}

namespace {

bool waitFor(int fd, short events, int timeoutMs)
{
    pollfd line{fd, events, 0};
    return fd >= 0 && ::poll(&line, 1, timeoutMs) > 0;
}

} // namespace

bool PseudoTerminalLine::waitForBytes(int timeoutMs)
{
    return waitFor(m_farEnd, POLLIN, timeoutMs);
}

bool PseudoTerminalLine::waitForRoom(int timeoutMs)
{
    return waitFor(m_farEnd, POLLOUT, timeoutMs);
}

QString PseudoTerminalLine::lineSettings() const
{
    termios line{};
    if (m_nearEnd < 0 || tcgetattr(m_nearEnd, &line) != 0)
        return QStringLiteral("no line");
    const std::pair<speed_t, int> speeds[] = {{B1200, 1200},   {B2400, 2400},    {B4800, 4800},
                                              {B9600, 9600},   {B19200, 19200},  {B38400, 38400},
                                              {B57600, 57600}, {B115200, 115200}};
    int baud = 0;
    for (const auto &[speed, rate] : speeds)
        baud = cfgetospeed(&line) == speed ? rate : baud;
    const char parity = !(line.c_cflag & PARENB) ? 'N' : (line.c_cflag & PARODD) ? 'O' : 'E';
    return QStringLiteral("%1 baud, %2%3%4")
        .arg(baud)
        .arg(5 + int((line.c_cflag & CSIZE) / CS6))
        .arg(QLatin1Char(parity))
        .arg(line.c_cflag & CSTOPB ? 2 : 1);
}

void PseudoTerminalLine::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    for (int *fd : {&m_farEnd, &m_nearEnd}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}
