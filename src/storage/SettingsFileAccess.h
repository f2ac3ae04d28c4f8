#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file on disk. Nothing stays open between calls.

// A settings file is a few hundred bytes; anything much larger is some other
// file, and reading it line by line into the window would only stall it.
inline constexpr qint64 SettingsFileSizeLimit = 1024 * 1024;

// The file's path in `directory` (normally the program's own), joined with
// the platform's separator.
QString settingsFilePath(const QString &directory);

// The folder of the user's own settings, for a program installed where no
// user may write: $XDG_DATA_HOME/peln (~/.local/share/peln when that is not
// set) on Linux, %LOCALAPPDATA%\PELN on Windows.
QString userSettingsFolder();

// Replaces the file at `path` with `bytes` whole, or leaves what stood there
// untouched. A file that is there keeps its owner, group and mode, or is
// left alone when it cannot; so is one with other hard links, which a new
// file in its place would split. On failure returns false and puts the
// system's reason in `reason`.
bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *reason);

// The file's bytes, or nullopt with the reason when it cannot be read whole.
std::optional<QByteArray> readSettingsFile(const QString &path, QString *reason);
