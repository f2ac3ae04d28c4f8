#include "SettingsFileLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileLock)
};

// Why the lock was not taken in time.
QString busyText(const QString &holder, int timeoutMs)
{
    return Words::tr("%1 has held it for more than %2 seconds")
        .arg(holder)
        .arg(timeoutMs / 1000.0, 0, 'g', 3);
}

} // namespace

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <QDir>

#include <qt_windows.h>

// Windows cannot rename a new file over one that another program holds
// open, so the lock is not taken on the file itself: it is a mutex named
// after the file's full path (case does not tell Windows paths apart),
// which the system releases when its holder ends, however it ends.
SettingsFileLock::SettingsFileLock(const QString &path, int timeoutMs)
{
    const QByteArray key =
        QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toLower().toUtf8();
    const QString name =
        QStringLiteral("Local\\PELN settings file %1")
            .arg(QString::fromLatin1(
                QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex()));
    const HANDLE mutex =
        CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(name.utf16()));
    if (!mutex) {
        m_failure = qt_error_string(int(GetLastError()));
        return;
    }
    // An abandoned mutex, whose holder ended without releasing it, is held now too.
    const DWORD waited = WaitForSingleObject(mutex, DWORD(timeoutMs));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        m_busy = waited == WAIT_TIMEOUT;
        m_failure = m_busy ? busyText(Words::tr("another PELN program"), timeoutMs)
                           : qt_error_string(int(GetLastError()));
        CloseHandle(mutex);
        return;
    }
    m_lock = reinterpret_cast<qintptr>(mutex);
}

SettingsFileLock::~SettingsFileLock()
{
    if (held()) {
        ReleaseMutex(reinterpret_cast<HANDLE>(m_lock));
        CloseHandle(reinterpret_cast<HANDLE>(m_lock));
    }
}

#else

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Who holds an flock on the file `fd` is open on, as the system's list of
// locks says: "peln-cli (process 1234)", or "another program".
QString lockHolder(int fd)
{
    struct stat held = {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (::fstat(fd, &held) != 0 || !locks.open(QIODevice::ReadOnly))
        return Words::tr("another program");
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:131073 0 EOF"; a waiter's line has "->".
    const QString file = QStringLiteral("%1:%2:%3")
                             .arg(major(held.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(minor(held.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(held.st_ino);
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields[1] != "FLOCK" || fields[5] != file.toLatin1())
            continue;
        QFile name(QStringLiteral("/proc/%1/comm").arg(QLatin1String(fields[4])));
        const QString program = name.open(QIODevice::ReadOnly)
                                    ? QString::fromLocal8Bit(name.readAll().trimmed())
                                    : Words::tr("a program");
        return Words::tr("%1 (process %2)").arg(program, QLatin1String(fields[4]));
    }
    return Words::tr("another program");
}

bool sameFile(int fd, const QByteArray &name)
{
    struct stat held = {}, named = {};
    return ::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool absent(const QByteArray &name)
{
    struct stat named = {};
    return ::stat(name.constData(), &named) != 0 && errno == ENOENT;
}

} // namespace

SettingsFileLock::SettingsFileLock(const QString &path, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QByteArray name = QFile::encodeName(path);
    // A folder still to be made (the user's data folder before the first
    // Save) is locked through the nearest one that exists.
    QString existing = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath())
        existing = QFileInfo(existing).absolutePath();
    const QByteArray folder = QFile::encodeName(existing);
    for (;;) {
        int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        const bool onFile = fd >= 0;
        if (!onFile && errno == ENOENT)
            fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            m_failure = qt_error_string(errno);
            return;
        }
        int locked;
        while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 &&
               (errno == EINTR || (errno == EWOULDBLOCK && !deadline.hasExpired())))
            QThread::msleep(20);
        if (locked != 0) {
            m_busy = errno == EWOULDBLOCK;
            m_failure = m_busy ? busyText(lockHolder(fd), timeoutMs) : qt_error_string(errno);
            ::close(fd);
            return;
        }
        // Another command may have replaced or made the file meanwhile.
        if (onFile ? sameFile(fd, name) : absent(name)) {
            m_lock = fd;
            return;
        }
        ::close(fd);
    }
}

SettingsFileLock::~SettingsFileLock()
{
    if (held())
        ::close(int(m_lock));
}

#endif
