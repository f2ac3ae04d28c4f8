#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair made for one test: the program under test opens
// devicePath() as its serial port, and the test plays the far end of the
// line on the other side. Both sides are raw: bytes pass unchanged.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_farEnd >= 0; }
    QString devicePath() const { return m_path; }

    // Moves what has reached the far end so far into collected() and
    // returns how many bytes that holds. Never blocks.
    qsizetype collect();
    // Collects, without running any event loop, until `count` bytes are
    // held or `timeoutMs` has passed; returns how many are held.
    qsizetype waitForCollected(qsizetype count, int timeoutMs = 5000);
    QByteArray takeCollected();

    // Sends the bytes from the far end to the program.
    bool send(const QByteArray &bytes);

    // Closes the far end, as when the cable or adapter is pulled out.
    void closeFarEnd();

private:
    int m_farEnd = -1;
    int m_nearEnd = -1; // held open so the line lives while the program closes its port
    QString m_path;
    QByteArray m_collected;
};
