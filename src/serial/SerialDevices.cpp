#include "SerialDevices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

#include <algorithm>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SerialDevices)
};

} // namespace

#ifndef Q_OS_WIN
namespace {

// The lasting name Linux gives a device under /dev/serial/by-id, if any.
QString stableNameOf(const QString &path)
{
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : byId.entryInfoList(QDir::System | QDir::Files)) {
        if (link.canonicalFilePath() == QFileInfo(path).canonicalFilePath())
            return link.filePath();
    }
    return {};
}

} // namespace
#endif

QList<SerialDevice> systemSerialDevices()
{
    QList<SerialDevice> devices;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const QString path = port.portName(); // the system location is \\.\COMn
        const QString stable;
#else
        const QString path = port.systemLocation();
        const QString stable = stableNameOf(path);
#endif
        devices.append({path, port.description(), port.manufacturer(), stable});
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
        return Words::tr("No serial port was found on this computer.");
    QStringList texts;
    for (const SerialDevice &device : devices)
        texts << serialDeviceText(device);
    return Words::tr("Serial ports on this computer:") + (oneALine ? u'\n' : u' ') +
           texts.join(oneALine ? QStringLiteral("\n") : QStringLiteral(", "));
}
