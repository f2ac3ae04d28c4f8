#pragma once

#include "SettingsTable.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The settings file: 8-bit text, an empty first line, then one record per
// line, each a list of double-quoted items separated by commas. Lines end in
// CR LF; the last line has none.

inline constexpr QLatin1StringView SettingsFileName("PELN PROGRAM DATA.TXT");

// The key of the line that carries the logo, the file's first record.
inline constexpr QLatin1StringView LogoKey("Logo");

// A record of slot texts: its key, then `count` values of `width` characters
// taken from the consecutive slots starting at `firstSlot`.
struct SettingsRecord
{
    QLatin1StringView key;
    int firstSlot;
    int count;
    int width;
    // The disabled flags, "00" or "01" each. Load holds them aside until
    // every field shows its loaded value and then applies them through their
    // count fields, whose editors reset a flag whenever they show a count.
    bool flags;

    // Where value `index` (0-based) starts in a line, counting from 0. The
    // reader cuts values here whatever the line holds, so a value of another
    // width shifts every later value of its line.
    qsizetype valueStart(int index) const { return key.size() + 4 + index * (width + 3); }
};

// The records after the "Logo" line, in the order they are written. The
// flags of "Disable" stand before the calibration, out of slot order.
inline constexpr std::array<SettingsRecord, 8> SettingsRecords{{
    {QLatin1StringView("#1 Button"), buttonSlot(0, 0), ButtonRowLength, 2, false},
    {QLatin1StringView("#2 Button"), buttonSlot(1, 0), ButtonRowLength, 2, false},
    {QLatin1StringView("#3 Button"), buttonSlot(2, 0), ButtonRowLength, 2, false},
    {QLatin1StringView("Total cups"), FirstCountSlot, ButtonCount, 4, false},
    {QLatin1StringView("Disable"), FirstFlagSlot, 2, 2, true},
    {QLatin1StringView("Flowmeter"), CalibrationSlot, 1, 4, false},
    {QLatin1StringView("Set pump speed"), PumpSpeedSlot, 1, 2, false},
    {QLatin1StringView("Drip out time"), DripTimeSlot, 1, 2, false},
}};

// The whole file for a table and a logo, every slot text as the table holds
// it (an unset slot is written empty; callers fill the defaults first).
// Latin-1, so every character of a logo read from a file is written back as
// the byte it came from.
QByteArray settingsFileBytes(const SettingsTable &table, const QString &logo);

// The lines of a file, without their line ends. CR LF, LF and CR all end a
// line, since the file may have passed through another editor; a line end
// after the last line starts no further line, and an empty file has none.
QStringList settingsFileLines(const QByteArray &bytes);

// One value cut from a line: the slot it belongs to, its place in its record
// (0-based) and the characters found there, which may be short or empty.
struct CutValue
{
    int slot;
    int index;
    QString text;
};

// What a line of the file carries, found by fixed character positions alone.
struct SettingsLine
{
    std::optional<QString> logo;    // set when the key "Logo" starts at the second character
    const SettingsRecord *record{}; // the first record whose key matches, if any
    QList<CutValue> values;         // that record's values, in order
};

// Reads a line as the loader sees it. Keys are compared, case-sensitively,
// with the characters that follow the first one, whatever that first one is.
// The logo is everything from the ninth character on except the last one
// (its closing quote); a "Logo" line too short to hold that gives "".
SettingsLine readSettingsLine(const QString &line);
