#pragma once

#include <QString>

// An exclusive lock that makes the commands that rewrite one settings file
// run one after another. On Unix it is an flock on the file while it
// exists, and on its folder (or the nearest that exists) while it does not;
// the new file that a rewrite renames into place is another file than the
// one locked, so the lock is taken again until it is held on the file the
// name stands for. On Windows it is a mutex named after the file's path.
// Released when destroyed.
class SettingsFileLock
{
public:
    // Waits until the lock is held, or fails.
    explicit SettingsFileLock(const QString &path);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock &) = delete;
    SettingsFileLock &operator=(const SettingsFileLock &) = delete;

#ifdef Q_OS_WIN
    bool held() const
    {
        return m_mutex != nullptr;
    }
#else
    bool held() const
    {
        return m_fd >= 0;
    }
#endif
    // Why the lock could not be taken.
    QString failure() const
    {
        return m_failure;
    }

private:
#ifdef Q_OS_WIN
    void *m_mutex = nullptr; // a HANDLE
#else
    int m_fd = -1;
#endif
    QString m_failure;
};
