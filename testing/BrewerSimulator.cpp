#include "BrewerSimulator.h"

#include "FieldEditors.h"
#include "SettingsFrame.h"
#include "SlotForms.h"

#include <QTextStream>

namespace {

const char *const ButtonNames[] = {"Left", "Center", "Right"};

// Bytes as a reader would want to see them: printable ASCII as it is,
// anything else as \xNN.
QString shownBytes(QByteArrayView bytes)
{
    QString text;
    for (char c : bytes) {
        const auto u = uchar(c);
        if (u >= 0x20 && u < 0x7F && c != '\\')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

int hexValue(const QString &text)
{
    return text.toInt(nullptr, 16);
}

} // namespace

BrewerSimulator::BrewerSimulator(QTextStream &out, QObject *parent) : QObject(parent), m_out(out)
{
    // A brewer fresh from the factory: pulse 1 at 5, the other pulses at
    // zero (102), volume 64 oz, calibration 88.0, pump 100 %, drip 90 s.
    for (int i = 0; i < ButtonSlots; ++i) {
        const int column = i % ButtonRowLength;
        m_held.buttonSettings[i] = column == 0 ? 5 : column == VolumeColumn ? 64 : ZeroStandIn;
    }
    m_held.countTotals = {1234, 56, 7};
    m_held.calibrationTenths = 880;
    m_held.pumpSpeed = 100;
    m_held.dripTime = 90;

    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &BrewerSimulator::dropUnfinishedFrame);
    connect(&m_line, &PseudoTerminalLine::readyRead, this, &BrewerSimulator::readLine);
}

BrewerSimulator::~BrewerSimulator() = default;

bool BrewerSimulator::start()
{
    return m_line.open();
}

QString BrewerSimulator::helpText()
{
    return QStringLiteral("Commands: r = send the reply record, b = send a record with a bad "
                          "header, s = send a short record (20 bytes), l = send a long record "
                          "(50 bytes), x HEX = send these bytes, p SLOT VALUE = hold setting "
                          "SLOT (0 to 26, 31 pump, 32 drip) at VALUE whatever frames say, u = "
                          "unplug the line, h = help, q = quit.");
}

bool BrewerSimulator::command(const QString &line)
{
    const QString word = line.trimmed().toLower();
    QByteArray record = encodeReply(m_held);
    if (word == QLatin1String("q"))
        return false;
    if (word == QLatin1String("r")) {
        sendBytes(record, QStringLiteral("reply record"));
    } else if (word == QLatin1String("b")) {
        std::swap(record[0], record[1]);
        sendBytes(record, QStringLiteral("record with a bad header"));
    } else if (word == QLatin1String("s")) {
        sendBytes(record.left(20), QStringLiteral("short record"));
    } else if (word == QLatin1String("l")) {
        sendBytes(record + QByteArray(11, '\xEE'), QStringLiteral("long record"));
    } else if (word.startsWith(QLatin1String("x "))) {
        send(QByteArray::fromHex(word.mid(2).toLatin1()));
    } else if (word.startsWith(QLatin1String("p "))) {
        const QStringList parts = word.split(u' ', Qt::SkipEmptyParts);
        bool isSlot = false, isValue = false;
        const int slot = parts.value(1).toInt(&isSlot), value = parts.value(2).toInt(&isValue);
        if (parts.size() == 3 && isSlot && isValue) {
            m_pinned.insert(slot, value);
            applyPins();
        } else {
            m_out << helpText() << Qt::endl;
        }
    } else if (word == QLatin1String("u")) {
        unplug();
    } else if (!word.isEmpty()) {
        m_out << helpText() << Qt::endl;
    }
    return true;
}

void BrewerSimulator::send(const QByteArray &bytes)
{
    sendBytes(bytes, QStringLiteral("bytes"));
}

void BrewerSimulator::unplug()
{
    m_line.close();
    m_out << "Line unplugged: the program's port has lost its device." << Qt::endl;
}

QString BrewerSimulator::lineSettings() const
{
    return m_line.lineSettings();
}

void BrewerSimulator::readLine()
{
    const QByteArray arrived = m_line.readAll();
    // The line as the sender set it up, looked at as its frame begins to
    // arrive: a sender that is done may close it soon.
    if (m_pending.isEmpty() && !arrived.isEmpty())
        m_arrivalLine = lineSettings();
    m_pending += arrived;
    takeFrames();
}

void BrewerSimulator::takeFrames()
{
    while (!m_pending.isEmpty()) {
        const ParsedFrame frame = parseSettingsFrame(m_pending);
        if (frame.status == ParsedFrame::Status::Incomplete)
            break;
        if (frame.status == ParsedFrame::Status::Malformed) {
            m_out << "Malformed frame, " << frame.length << " bytes, not answered: "
                  << shownBytes(QByteArrayView(m_pending).first(frame.length)) << Qt::endl
                  << "  " << frame.problem << Qt::endl;
        } else {
            applyFrame(frame);
            m_lastFrame = m_pending.first(frame.length);
            printFrame(frame, frame.length);
            emit frameTaken(m_lastFrame);
            sendBytes(encodeReply(m_held), QStringLiteral("reply record"));
        }
        m_pending.remove(0, frame.length);
    }
    if (m_pending.isEmpty())
        m_quiet.stop();
    else
        m_quiet.start();
}

void BrewerSimulator::dropUnfinishedFrame()
{
    if (m_pending.isEmpty())
        return;
    m_out << "Malformed frame, cut short after " << m_pending.size()
          << " bytes, not answered: " << shownBytes(m_pending) << Qt::endl;
    m_pending.clear();
}

void BrewerSimulator::applyFrame(const ParsedFrame &frame)
{
    const auto &slot = frame.slotTexts;
    for (int i = 0; i < ButtonSlots; ++i)
        m_held.buttonSettings[i] = hexValue(slot[i]);
    // A count to write of 0 leaves the brewer's counter as it is.
    for (int i = 0; i < ButtonCount; ++i) {
        if (const int count = hexValue(slot[countSlot(i)]))
            m_held.countTotals[i] = count;
    }
    m_disabled = {slot[flagSlot(CenterButton)] == QLatin1String("01"),
                  slot[flagSlot(RightButton)] == QLatin1String("01")};
    const QString &calibration = slot[CalibrationSlot];
    m_held.calibrationTenths = 100 * hexValue(calibration.left(2)) + hexValue(calibration.mid(2));
    m_held.pumpSpeed = hexValue(slot[PumpSpeedSlot]);
    m_held.dripTime = hexValue(slot[DripTimeSlot]);
    if (frame.logo)
        m_logo = *frame.logo;
    applyPins();
}

void BrewerSimulator::applyPins()
{
    for (auto it = m_pinned.cbegin(); it != m_pinned.cend(); ++it) {
        if (it.key() >= 0 && it.key() < ButtonSlots)
            m_held.buttonSettings[it.key()] = it.value();
        else if (it.key() == PumpSpeedSlot)
            m_held.pumpSpeed = it.value();
        else if (it.key() == DripTimeSlot)
            m_held.dripTime = it.value();
    }
}

void BrewerSimulator::printFrame(const ParsedFrame &frame, qsizetype length)
{
    const auto &slot = frame.slotTexts;
    // A line without speed is one its sender had closed before it was looked at.
    const QString line = m_arrivalLine.startsWith(QLatin1String("0 baud"))
                             ? QStringLiteral("from a sender that had already closed the line")
                             : QStringLiteral("at ") + m_arrivalLine;
    m_out << "Settings frame, " << length << " bytes " << line
          << " (102 stands for zero):" << Qt::endl;
    m_out << "  Logo:          "
          << (frame.logo ? QStringLiteral("\"%1\"").arg(shownBytes(*frame.logo))
                         : QStringLiteral("none sent, keeps \"%1\"").arg(shownBytes(m_logo)))
          << Qt::endl;
    for (int button = 0; button < ButtonCount; ++button) {
        QString pulses;
        for (int i = 0; i < PulsesPerButton; ++i)
            pulses += QStringLiteral(" %1").arg(hexValue(slot[buttonSlot(button, i)]), 3);
        const QString label = QStringLiteral("%1 Button:").arg(QLatin1String(ButtonNames[button]));
        m_out << QStringLiteral("  %1").arg(label, -16) << "pulse" << pulses << "   volume "
              << hexValue(slot[buttonSlot(button, VolumeColumn)]) << " oz" << Qt::endl;
    }
    m_out << "  Count to write: Left " << hexValue(slot[countSlot(0)]) << ", Center "
          << hexValue(slot[countSlot(CenterButton)]) << ", Right "
          << hexValue(slot[countSlot(RightButton)]) << " (0 keeps the brewer's count)" << Qt::endl;
    const auto flag = [&slot](int button) {
        const QString &text = slot[flagSlot(button)];
        return QStringLiteral("%1 (%2)").arg(text == QLatin1String("01") ? "yes" : "no", text);
    };
    m_out << "  Disabled:       Center " << flag(CenterButton) << ", Right " << flag(RightButton)
          << Qt::endl;
    m_out << "  Calibration:    " << tenthsText(m_held.calibrationTenths) << " signs per oz ("
          << slot[CalibrationSlot] << ")" << Qt::endl;
    m_out << "  Pump speed:     " << hexValue(slot[PumpSpeedSlot]) << " %" << Qt::endl;
    m_out << "  Drip time:      " << hexValue(slot[DripTimeSlot]) << " s" << Qt::endl;
}

void BrewerSimulator::sendBytes(const QByteArray &bytes, const QString &what)
{
    if (!m_line.write(bytes)) {
        m_out << "Could not send the " << what << ": " << m_line.errorString() << Qt::endl;
        return;
    }
    // A record is shown whole; of a long run of bytes, its start is enough.
    constexpr qsizetype Shown = 64;
    m_out << "Sent " << what << ", " << bytes.size()
          << " bytes: " << replyDump(bytes.first(qMin(bytes.size(), Shown)))
          << (bytes.size() > Shown ? " ..." : "") << Qt::endl;
}
