#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Terminal programs mark a serial device busy with a lock file named after
// it, "LCK..ttyUSB0" for /dev/ttyUSB0, in the system's lock folder, holding
// the number of the process that uses the device on its first line (padded
// with spaces or not). Qt writes such a file too, with lines of its own
// after the number, and takes a file without them for a stale one. These
// read the number alone, as every program that writes such files does.

// The folders where such lock files are kept.
QStringList standardLockFolders();

// The lock file's name for a device: "LCK..ttyUSB0" for /dev/ttyUSB0, the
// slashes of a deeper or other path turned into "_" ("LCK..pts_3").
QString portLockFileName(const QString &device);

// A lock file that names a running process other than this one.
struct PortLockHolder
{
    QString lockFile;
    qint64 process;
};

// The live holder of `device`'s lock file in `folders`, if any. A file that
// names no process, a process that has ended, or this process, holds
// nothing.
std::optional<PortLockHolder>
livePortLockHolder(const QString &device, const QStringList &folders = standardLockFolders());
