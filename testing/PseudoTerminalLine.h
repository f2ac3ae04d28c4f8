#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The far end of a serial line that a program opens by its device path, as
// it would a serial port: a raw pseudo-terminal. Windows has none, so there
// open() fails and says so.
class PseudoTerminalLine : public QObject
{
    Q_OBJECT

public:
    explicit PseudoTerminalLine(QObject *parent = nullptr);
    ~PseudoTerminalLine() override;

    // Makes the line; with `notify`, readyRead() says when bytes wait. False,
    // with errorString(), on failure.
    bool open(bool notify = true);
    bool isOpen() const;
    // What the program opens: "/dev/pts/3".
    QString devicePath() const { return m_path; }
    QString errorString() const { return m_error; }

    // What has arrived from the program, without waiting.
    QByteArray readAll();
    // Writes every byte to the program. False, with errorString(), on failure.
    bool write(QByteArrayView bytes);
    // Writes what the line takes now, without waiting: how many bytes it
    // took, 0 while it is full, -1 on failure (with errorString()).
    qsizetype writeSome(QByteArrayView bytes);
    // Waits, without an event loop, up to `timeoutMs` for bytes from the
    // program, or for room to write more; false when the time ran out.
    bool waitForBytes(int timeoutMs);
    bool waitForRoom(int timeoutMs);
    // The line as the program has set it up, such as "9600 baud, 8N1";
    // "no line" once it is closed.
    QString lineSettings() const;
    // Closes both ends, as when a cable is pulled out.
    void close();

signals:
    // Bytes from the program are waiting.
    void readyRead();

private:
    int m_farEnd = -1;
    int m_nearEnd = -1; // held so the line stays up while the program closes its port
    QSocketNotifier *m_notifier = nullptr;
    QString m_path;
    QString m_error;
};
