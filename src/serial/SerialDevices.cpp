#include "SerialDevices.h"

#include <QSerialPortInfo>
#include <QStringList>

#include <algorithm>

QList<SerialDevice> systemSerialDevices()
{
    QList<SerialDevice> devices;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const QString path = port.portName(); // the system location is \\.\COMn
#else
        const QString path = port.systemLocation();
#endif
        devices.append({path, port.description(), port.manufacturer()});
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice &a, const SerialDevice &b) { return a.path < b.path; });
    return devices;
}

QString serialDeviceText(const SerialDevice &device)
{
    QStringList known;
    for (const QString &said : {device.description, device.maker}) {
        if (!said.trimmed().isEmpty())
            known << said.trimmed();
    }
    return known.isEmpty() ? device.path
                           : QStringLiteral("%1 (%2)").arg(device.path, known.join(u", "));
}

QString presentDevicesText(const QList<SerialDevice> &devices, bool oneALine)
{
    if (devices.isEmpty())
        return QStringLiteral("No serial port was found on this computer.");
    QStringList texts;
    for (const SerialDevice &device : devices)
        texts << serialDeviceText(device);
    return QStringLiteral("Serial ports on this computer:") + (oneALine ? u'\n' : u' ') +
           texts.join(oneALine ? QStringLiteral("\n") : QStringLiteral(", "));
}
