#pragma once

#include "PseudoTerminalLine.h"
#include "ReplyRecord.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

class QTextStream;
struct ParsedFrame;

// A simulated brewer controller at the far end of a pseudo-terminal. It
// prints every settings frame it receives, decoded field by field, flags
// a malformed one, and answers each good frame with the reply record of what
// it then holds. On command it sends a record, good or malformed, or any
// bytes, holds a setting at a value of its own whatever frames say (as a
// brewer that did not take it), or pulls out its cable.
class BrewerSimulator : public QObject
{
    Q_OBJECT

public:
    // Reports go to `out`, which must outlive the simulator.
    explicit BrewerSimulator(QTextStream &out, QObject *parent = nullptr);
    ~BrewerSimulator() override;

    // Opens the pseudo-terminal. False, with errorString(), on failure
    // (always on Windows, which has none).
    bool start();
    QString devicePath() const { return m_line.devicePath(); }
    QString errorString() const { return m_line.errorString(); }

    // The one-line list of commands that command() understands.
    static QString helpText();
    // Carries out a command line; false when it asks to quit.
    bool command(const QString &line);

    // Sends bytes to the program as they are, a record or anything else.
    void send(const QByteArray &bytes);
    // Closes the line, as when its cable is pulled out; the simulator is
    // of no further use.
    void unplug();
    // The line as the program has set it up, such as "9600 baud, 8N1".
    QString lineSettings() const;

    // What the brewer holds, as its reply record reports it.
    const BrewerReport &held() const { return m_held; }
    QByteArray logo() const { return m_logo; }
    // The bytes of the last good frame taken.
    QByteArray lastFrame() const { return m_lastFrame; }

    // Milliseconds of silence after which an unfinished frame counts as cut short.
    static constexpr int QuietMs = 500;

signals:
    // A good frame was taken: its bytes, as they arrived.
    void frameTaken(const QByteArray &frame);

private:
    void readLine();
    void takeFrames();
    void dropUnfinishedFrame();
    void applyFrame(const ParsedFrame &frame);
    // Holds the pinned settings at their values, whatever frames said.
    void applyPins();
    void printFrame(const ParsedFrame &frame, qsizetype length);
    void sendBytes(const QByteArray &bytes, const QString &what);

    QTextStream &m_out;
    PseudoTerminalLine m_line;
    QString m_arrivalLine; // the line settings as the last frame began to arrive
    QByteArray m_pending;
    QTimer m_quiet;

    BrewerReport m_held;
    QByteArray m_logo;
    QByteArray m_lastFrame;
    std::array<bool, 2> m_disabled{}; // Center and Right Button
    QMap<int, int> m_pinned;          // slot -> the value held whatever frames say
};
