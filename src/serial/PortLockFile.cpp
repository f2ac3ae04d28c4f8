#include "PortLockFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

QStringList standardLockFolders()
{
    QStringList folders;
    for (const char *folder : {"/var/lock", "/run/lock", "/var/spool/locks", "/var/spool/uucp"}) {
        const QString canonical = QFileInfo(QLatin1String(folder)).canonicalFilePath();
        if (!canonical.isEmpty() && !folders.contains(canonical))
            folders << canonical;
    }
    return folders;
}

QString portLockFileName(const QString &device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    return QLatin1String("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
}

std::optional<PortLockHolder> livePortLockHolder(const QString &device, const QStringList &folders)
{
#ifdef Q_OS_UNIX
    for (const QString &folder : folders) {
        QFile file(QDir(folder).filePath(portLockFileName(device)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        bool number = false;
        const qint64 process = file.readLine(64).trimmed().toLongLong(&number);
        if (!number || process <= 0 || process == ::getpid())
            continue;
        // A process of another user still counts: it exists, it may not be
        // signalled.
        if (::kill(pid_t(process), 0) == 0 || errno == EPERM)
            return PortLockHolder{file.fileName(), process};
    }
#else
    Q_UNUSED(device);
    Q_UNUSED(folders);
#endif
    return std::nullopt;
}
