#include "PseudoTerminal.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

PseudoTerminal::PseudoTerminal()
{
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    if (openpty(&m_farEnd, &m_nearEnd, name, &raw, nullptr) != 0) {
        m_farEnd = m_nearEnd = -1;
        return;
    }
    fcntl(m_farEnd, F_SETFL, fcntl(m_farEnd, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    closeFarEnd();
}

qsizetype PseudoTerminal::collect()
{
    char buffer[4096];
    while (m_farEnd >= 0) {
        const ssize_t n = ::read(m_farEnd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_collected.append(buffer, n);
    }
    return m_collected.size();
}

qsizetype PseudoTerminal::waitForCollected(qsizetype count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (collect() < count && !deadline.hasExpired()) {
        pollfd fd{m_farEnd, POLLIN, 0};
        ::poll(&fd, 1, 10);
    }
    return m_collected.size();
}

QByteArray PseudoTerminal::takeCollected()
{
    collect();
    return std::exchange(m_collected, {});
}

bool PseudoTerminal::send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_farEnd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_farEnd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (n > 0)
            done += n;
    }
    return done == bytes.size();
}

void PseudoTerminal::closeFarEnd()
{
    if (m_farEnd >= 0)
        ::close(m_farEnd);
    if (m_nearEnd >= 0)
        ::close(m_nearEnd);
    m_farEnd = m_nearEnd = -1;
}
