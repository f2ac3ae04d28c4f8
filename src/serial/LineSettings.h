#pragma once

#include <QSerialPort>
#include <QString>

#include <optional>

// A serial line's settings, written as "4800,e,7,2": baud rate, parity
// (n none, e even, o odd, m mark, s space), data bits (5 to 8) and stop bits
// (1, 1.5 or 2).
struct LineSettings
{
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // The settings a text names, or nothing when it names none.
    static std::optional<LineSettings> parse(const QString &text);

    // The settings as people write them: "9600 baud, 8N1".
    QString text() const;

    bool operator==(const LineSettings &) const = default;
};
