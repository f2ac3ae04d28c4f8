#include "SettingsFileAccess.h"

#include "SettingsFileFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileAccess)
};

} // namespace

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#endif

namespace {

// Qt leaves some failures as "Unknown error"; the system's own reason, when
// it recorded one, says more.
QString failureReason(const QFileDevice &file, int systemError, const QString &fallback)
{
    const QString said = file.errorString();
    if (!said.isEmpty() && said != QLatin1StringView("Unknown error"))
        return said;
    if (systemError != 0)
        return qt_error_string(systemError);
    return fallback;
}

// A file that is there keeps its owner, group and mode when its new text
// takes its place, and its hard links are not split: the reason it cannot
// be, or "" when it can. The new text is the one `file` holds open.
QString keepOwnership(const QString &path, const QSaveFile &file)
{
#ifdef Q_OS_UNIX
    struct stat old = {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return {}; // a new file: its owner is who makes it
    if (old.st_nlink > 1)
        return Words::tr("it has %1 hard links, which a new file in its place would split")
            .arg(old.st_nlink);
    const int fd = int(file.handle());
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return Words::tr("it belongs to user %1 and group %2, which a new file made by this "
                         "user would not keep")
            .arg(old.st_uid)
            .arg(old.st_gid);
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return qt_error_string(errno);
#else
    Q_UNUSED(path);
    Q_UNUSED(file);
#endif
    return {};
}

} // namespace

QString settingsFilePath(const QString &directory)
{
    QString path = QDir::toNativeSeparators(directory);
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path + SettingsFileName;
}

QString userSettingsFolder()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("PELN"); // as Windows programs name theirs
#else
    const QString name = QStringLiteral("peln");
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + name;
}

bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    // The new text goes to a temporary file beside the old one, which is
    // replaced only once every byte is on disk.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = failureReason(file, 0, Words::tr("the file could not be created"));
        return false;
    }
    if (const QString kept = keepOwnership(path, file); !kept.isEmpty()) {
        *reason = kept;
        file.cancelWriting();
        return false;
    }
    errno = 0;
    // Writes are buffered: a disk that fills up fails only at flush(), and a
    // commit without it would put a cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *reason = failureReason(file, errno, Words::tr("not every byte could be written"));
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        *reason =
            failureReason(file, errno, Words::tr("the new file could not replace the old one"));
        return false;
    }
    return true;
}

std::optional<QByteArray> readSettingsFile(const QString &path, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = failureReason(file, 0, Words::tr("the file could not be opened"));
        return std::nullopt;
    }
    errno = 0;
    QByteArray bytes = file.read(SettingsFileSizeLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        *reason = failureReason(file, errno, Words::tr("the file could not be read"));
        return std::nullopt;
    }
    if (bytes.size() > SettingsFileSizeLimit) {
        *reason = Words::tr("the file is larger than %1 bytes, too large for a settings file")
                      .arg(SettingsFileSizeLimit);
        return std::nullopt;
    }
    return bytes;
}
