#pragma once

#include "Notice.h"
#include "SettingFields.h"
#include "SettingsFileLoader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class SettingsForm;
class SettingsFileLock;

namespace operations {

// Save and Load: the settings file and the setting fields.

// What Save did.
struct SaveOutcome
{
    QString path;
    QString failure;      // the reason the file could not be written; "" when it was
    bool changed = false; // the file changed since it was read: nothing was written
    QByteArray digest;    // of the bytes written

    bool saved() const { return failure.isEmpty() && !changed; }
    Notice notice() const;
};

// Save: under the file's lock (see SettingsFileStep), fills the defaults
// into the form's table, where they stay, then writes the logo and the table
// to the file at `path`, whole or not at all: a file that cannot be written
// leaves the old one as it was. The user's data folder for the settings is
// made if it is not there yet. Given the `digest` of the bytes the file held
// when it was last read or written, a file that holds other bytes now is
// left as it is, and the outcome says it changed.
SaveOutcome saveSettings(SettingsForm &form, const QString &logo, const QString &path,
                         const std::optional<QByteArray> &digest = std::nullopt);

// The digest by which Save knows a file changed: of its bytes, or of none
// for a file that is not there.
QByteArray settingsDigest(const QByteArray &bytes);

// What Load found.
struct LoadOutcome
{
    QString path;
    QString failure;                 // the reason the file could not be read; "" when it was
    std::optional<QString> logo;     // the last "Logo" line's text
    std::optional<QString> lastLine; // none for a file without lines
    QList<SkippedValue> skipped;     // damaged values, not loaded
    QStringList missingRecords;      // the keys of the records no line carried
    // The values the file holds that the fields replace as they load them
    // (out of their range): "Pump working speed: the file holds 5; 100 is
    // sent". A 0 that goes out as its slot's default is not listed.
    QStringList replaced;
    QByteArray digest;    // of the bytes read
    bool refused = false; // Open's file is no settings file: nothing was loaded

    bool read() const { return failure.isEmpty(); }
    // Whether any line of the file is a record of a settings file.
    bool isSettingsFile() const;
    // Whether the file held every record, every value well-formed.
    bool whole() const { return missingRecords.isEmpty() && skipped.isEmpty(); }
    // What is missing or damaged, one item each, the records first.
    QStringList damage() const;
    Notice notice() const;
};

// Where the settings file lives: in the folder that holds the program, as
// long as the program is run from a folder of its own; for a build installed
// system-wide, whose folder no user may write, in the user's data folder
// (userSettingsFolder()).
enum class SettingsHome { BesideProgram, UserData };
QString settingsFolder(SettingsHome home);
// This build's: UserData when it was configured with PELN_SYSTEM_INSTALL.
SettingsHome settingsHome();

// Where Save and Load keep the settings file: in `folder` when one is given,
// else in the folder of this build's home.
QString defaultSettingsFilePath(const QString &folder = {});

// What a settings file holds once `form` and `logo` are saved to it: fills
// `reloaded` from the bytes Save would write (the form's defaults filled in)
// and returns the logo they hold. Nothing is written.
QString reloadAsSaved(SettingsForm &reloaded, const SettingsForm &form, const QString &logo);

// Load: reads the file at `path` into the form, under the file's lock. A
// file that cannot be read whole changes nothing.
LoadOutcome loadSettingsFile(SettingsForm &form, const QString &path);

// Open: Load of a file the user chose, which changes nothing unless the
// file is a settings file (LoadOutcome::isSettingsFile()); for one that is
// not, the outcome's failure says so.
LoadOutcome openSettingsFile(SettingsForm &form, const QString &path);

// One step on a settings file: the lock on it that every reading and
// rewriting step takes, in the window and in peln-cli alike, held from
// construction to destruction (waiting a few seconds at most), and Load and
// Save while it is held, so that what a step read is still there when it
// writes.
class SettingsFileStep
{
public:
    explicit SettingsFileStep(const QString &path);
    ~SettingsFileStep();
    SettingsFileStep(const SettingsFileStep &) = delete;
    SettingsFileStep &operator=(const SettingsFileStep &) = delete;

    // Why the lock could not be taken; "" while it is held.
    QString lockFailure() const;
    // Whether another program held it all the time it was waited for.
    bool lockBusy() const;

    // Load; with `onlySettingsFiles`, Open, which changes nothing for a file
    // that is not a settings file.
    LoadOutcome load(SettingsForm &form, bool onlySettingsFiles = false) const;
    SaveOutcome save(SettingsForm &form, const QString &logo,
                     const std::optional<QByteArray> &digest = std::nullopt) const;

private:
    QString m_path;
    std::unique_ptr<SettingsFileLock> m_lock;
};

// Load's whole work on a file's bytes: the values of every line go into the
// form's table, in file order; then every setting field is set from its
// slot, in the order of settingFields(), its editor running as its text
// changes, and then to shownCorrection() of what it shows, if any. A field
// whose slot is unset or not hexadecimal keeps its text. Last, each count
// field whose disabled flag in the "Disable" record is "01" is set to "OFF",
// as its Disable button would: its editor sets the flag, and the count slot
// keeps the count loaded from "Total cups". A flag of "00", or none, leaves
// the field as the field pass set it.
LoadOutcome loadSettings(SettingsForm &form, const QByteArray &bytes);

} // namespace operations
