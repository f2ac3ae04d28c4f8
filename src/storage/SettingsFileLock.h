#pragma once

#include <QString>

// An exclusive lock that makes the steps that read or rewrite one settings
// file, in the window and in peln-cli, run one after another. On Unix it is an flock on the file
// while it exists, and on its folder (or the nearest that exists) while it does not; the new file
// that a rewrite renames into place is another file than the one locked, so the lock is taken again
// until it is held on the file the name stands for. On Windows it is a mutex named after the file's
// path. Released when destroyed.
class SettingsFileLock
{
public:
    // Waits until the lock is held, up to `timeoutMs`, or fails.
    explicit SettingsFileLock(const QString &path, int timeoutMs = 5000);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock &) = delete;
    SettingsFileLock &operator=(const SettingsFileLock &) = delete;

    bool held() const { return m_lock != -1; }
    // Whether another program held the lock all the time it was waited for.
    bool busy() const { return m_busy; }
    // Why the lock could not be taken: "peln-cli (process 1234) has held it
    // for more than 5 seconds", or the system's words.
    QString failure() const { return m_failure; }

private:
    qintptr m_lock = -1; // the file descriptor the flock is on, or the mutex's HANDLE
    QString m_failure;
    bool m_busy = false;
};
