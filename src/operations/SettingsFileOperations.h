#pragma once

#include "Notice.h"
#include "SettingFields.h"
#include "SettingsFileLoader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class SettingsForm;

// Save and Load: the settings file and the setting fields.

// What Save did.
struct SaveOutcome
{
    QString path;
    QString failure; // the reason the file could not be written; "" when it was

    bool saved() const { return failure.isEmpty(); }
    Notice notice() const;
};

// Save: fills the defaults into the form's table, where they stay, then
// writes the logo and the table to the file at `path`, whole or not at all:
// a file that cannot be written leaves the old one as it was. The user's
// data folder for the settings is made if it is not there yet.
SaveOutcome saveSettings(SettingsForm &form, const QString &logo, const QString &path);

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

// Where Save and Load keep the settings file unless told otherwise: in the
// folder of this build's home.
QString defaultSettingsFilePath();

// Load: reads the file at `path` into the form. A file that cannot be read
// whole changes nothing.
LoadOutcome loadSettingsFile(SettingsForm &form, const QString &path);

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
