#include "SettingsFileLock.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <QDir>

#include <qt_windows.h>

// Windows cannot rename a new file over one that another program holds
// open, so the lock is not taken on the file itself: it is a mutex named
// after the file's full path (case does not tell Windows paths apart),
// which the system releases when its holder ends, however it ends.
SettingsFileLock::SettingsFileLock(const QString &path)
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
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        m_failure = qt_error_string(int(GetLastError()));
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

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

SettingsFileLock::SettingsFileLock(const QString &path)
{
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
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            m_failure = qt_error_string(errno);
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
