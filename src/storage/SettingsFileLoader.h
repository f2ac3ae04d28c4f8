#pragma once

#include "SettingsFileFormat.h"
#include "SettingsTable.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

#include <optional>

// A value of the file that was not stored because it is not a slot text:
// wrong width, not hexadecimal, or a quote or comma from a shifted line.
struct SkippedValue
{
    int lineNumber; // 1-based
    const SettingsRecord *record;
    int index; // 0-based place in the record
    QString text;
};

// Copies the values of a settings file into a table, one line at a time, in
// file order, so that a later line's values replace an earlier one's. Only
// well-formed values are stored (lower-case hexadecimal digits are accepted
// and stored upper case); any other value is skipped, the slot keeps the text
// it held, and the skip is recorded. Send and Save put slot texts on the wire
// and into the file unchecked, so a malformed one must never reach the table.
// The disabled flags of the "Disable" record are held aside instead, for Load
// to apply once the fields show their values (see loadSettings()).
class SettingsFileLoader
{
public:
    explicit SettingsFileLoader(SettingsTable &table) : m_table(table) {}

    // Stores the values of the next line; returns the logo it carries, if any.
    std::optional<QString> takeLine(const QString &line);

    const QList<SkippedValue> &skipped() const { return m_skipped; }

    // The well-formed disabled flags read so far, "00" or "01", by slot.
    const QMap<int, QString> &flags() const { return m_flags; }

    // The keys of the records no line has carried so far, "Logo" first, in
    // the order a file holds them.
    QStringList missingRecords() const;

private:
    SettingsTable &m_table;
    QMap<int, QString> m_flags;
    bool m_logoFound = false;
    std::array<bool, SettingsRecords.size()> m_recordFound{};
    int m_lineNumber = 0;
    QList<SkippedValue> m_skipped;
};

// The slot text a file value stands for, or nullopt when it is not exactly
// as many hexadecimal digits as the slot is wide, or for a disabled flag,
// neither "00" nor "01".
std::optional<QString> slotTextFromFile(const SettingsRecord &record, int slot,
                                        const QString &value);
