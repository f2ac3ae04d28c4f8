#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair for a benchmark: the program opens devicePath() as
// its serial port, and the benchmark reads and writes the far end of the
// line directly, to time the bytes as they pass. Both sides are raw.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        termios raw{};
        cfmakeraw(&raw);
        char name[256] = {};
        if (openpty(&m_farEnd, &m_nearEnd, name, &raw, nullptr) != 0)
            m_farEnd = m_nearEnd = -1;
        fcntl(m_farEnd, F_SETFL, fcntl(m_farEnd, F_GETFL) | O_NONBLOCK);
        m_path = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal() { closeFarEnd(); }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_farEnd >= 0; }
    QString devicePath() const { return m_path; }

    // Moves what has reached the far end so far into the collected bytes and
    // returns how many are held. Never blocks.
    qsizetype collect()
    {
        char buffer[4096];
        ssize_t n = 0;
        while (m_farEnd >= 0 && (n = ::read(m_farEnd, buffer, sizeof buffer)) > 0)
            m_collected.append(buffer, n);
        return m_collected.size();
    }

    // Collects, without running any event loop, until `count` bytes are held
    // or `timeoutMs` has passed, then hands over everything collected.
    QByteArray takeCollected(qsizetype count = 0, int timeoutMs = 5000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (collect() < count && !deadline.hasExpired()) {
            pollfd fd{m_farEnd, POLLIN, 0};
            ::poll(&fd, 1, 10);
        }
        return std::exchange(m_collected, {});
    }

    // Sends the bytes from the far end to the program. While the line is
    // full, `whileFull` runs between tries, so that a program on the same
    // thread (the window, through its event loop) can read what waits; false
    // when the line fails, or when it has not taken every byte within
    // `timeoutMs`.
    bool send(const QByteArray &bytes, const std::function<void()> &whileFull = {},
              int timeoutMs = 10000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        qsizetype done = 0;
        while (m_farEnd >= 0 && done < bytes.size()) {
            const ssize_t n = ::write(m_farEnd, bytes.constData() + done, bytes.size() - done);
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            } else if (deadline.hasExpired()) {
                return false;
            } else {
                if (whileFull)
                    whileFull();
                pollfd fd{m_farEnd, POLLOUT, 0};
                ::poll(&fd, 1, 1);
            }
        }
        return done == bytes.size();
    }

    // Closes the far end, as when the cable or adapter is pulled out.
    void closeFarEnd()
    {
        for (int *fd : {&m_farEnd, &m_nearEnd}) {
            if (*fd >= 0)
                ::close(*fd);
            *fd = -1;
        }
    }

private:
    int m_farEnd = -1;
    int m_nearEnd = -1; // held open so the line lives while the program closes its port
    QString m_path;
    QByteArray m_collected;
};
