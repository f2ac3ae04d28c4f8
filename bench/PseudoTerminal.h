#pragma once

#include "PseudoTerminalLine.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <functional>
#include <utility>

// A pseudo-terminal line for a benchmark: the program opens devicePath() as
// its serial port, and the benchmark reads and writes the far end directly,
// without an event loop, to time the bytes as they pass.
class PseudoTerminal
{
public:
    PseudoTerminal() { m_line.open(false); }

    bool isValid() const { return m_line.isOpen(); }
    QString devicePath() const { return m_line.devicePath(); }

    // Moves what has reached the far end so far into the collected bytes and
    // returns how many are held. Never blocks.
    qsizetype collect()
    {
        m_collected += m_line.readAll();
        return m_collected.size();
    }

    // Collects, without running any event loop, until `count` bytes are held
    // or `timeoutMs` has passed, then hands over everything collected.
    QByteArray takeCollected(qsizetype count = 0, int timeoutMs = 5000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (collect() < count && !deadline.hasExpired())
            m_line.waitForBytes(10);
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
        while (done < bytes.size()) {
            const qsizetype n = m_line.writeSome(QByteArrayView(bytes).sliced(done));
            if (n < 0 || (n == 0 && deadline.hasExpired()))
                return false;
            done += n;
            if (n == 0) {
                if (whileFull)
                    whileFull();
                m_line.waitForRoom(1);
            }
        }
        return true;
    }

    // Closes the far end, as when the cable or adapter is pulled out.
    void closeFarEnd() { m_line.close(); }

private:
    PseudoTerminalLine m_line;
    QByteArray m_collected;
};
