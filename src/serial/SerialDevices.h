#pragma once

#include <QList>
#include <QString>

#include <functional>

// A serial device of this computer, as the system lists it.
struct SerialDevice
{
    QString path;        // what the port box takes: "/dev/ttyUSB0" ("COM5" on Windows)
    QString description; // "FT232R USB UART", or empty
    QString maker;       // "FTDI", or empty
    // A name that stays with the device whatever order it was plugged in:
    // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", or
    // empty where the system gives none.
    QString stableName;
};

using SerialDeviceLister = std::function<QList<SerialDevice>()>;

// The serial devices the system lists now, by path. Pseudo-terminals are
// never among them, though they open by their path.
QList<SerialDevice> systemSerialDevices();

// "/dev/ttyUSB0 (FT232R USB UART, FTDI)": the path and what is known of the
// device.
QString serialDeviceText(const SerialDevice &device);

// "Serial ports on this computer: " and the devices, separated by commas or
// one to a line, or a sentence saying that none was found.
QString presentDevicesText(const QList<SerialDevice> &devices, bool oneALine = false);
