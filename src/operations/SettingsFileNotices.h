#pragma once

#include "Notice.h"
#include "SettingsFileLoader.h"

#include <QList>
#include <QString>

namespace operations {

// What Save, Load, Save As and Open tell the user: each notice has the
// caption "Message" (the serial steps' notices have their own captions);
// peln-cli says the same of a file it cannot use.

// "PATH could not be read: REASON." and "PATH could not be written: REASON."
QString fileReadFailure(const QString &path, const QString &reason);
QString fileWriteFailure(const QString &path, const QString &reason);
// What a failed write leaves: "A settings file already there is left as it was."
QString fileKeptText();

// "PATH is not a settings file: none of its lines is a record of one."
QString notSettingsFileText(const QString &path);

// "the "Flowmeter" record is missing".
QString missingRecordText(const QString &key);

// " <PELN PROGRAM DATA.TXT>  Save successful!" (the name of the file at
// `path`), or that Save failed with the file and the reason.
Notice saveNotice(const QString &path, const QString &failure);

// " <PELN PROGRAM DATA.TXT>  Load successful!"; that Load failed, naming the
// file and the reason (or, `refused`, saying it is no settings file), and
// that no setting changed; or that it loaded, but with the damaged values it
// left out.
Notice loadNotice(const QString &path, const QString &failure, const QList<SkippedValue> &skipped,
                  bool refused = false);

// The question before Save overwrites a file that changed on disk since
// the window read or wrote it.
QString changedOnDiskText(const QString &path);

// A skipped value in words: its line, record and place, what was there and
// what is wrong with it.
QString skippedValueText(const SkippedValue &value);

// The skipped values, one per line, for a message: at most `limit` of them,
// then how many more there were.
QString skippedValuesReport(const QList<SkippedValue> &skipped, int limit = 10);

} // namespace operations
