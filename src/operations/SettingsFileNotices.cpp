#include "SettingsFileNotices.h"

#include "SettingsFileFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileNotices)
};

} // namespace

namespace operations {

namespace {

// " <PELN PROGRAM DATA.TXT>  " (the file's name) and the outcome.
Notice fileNotice(const QString &path, const QString &outcome, const QString &details,
                  Notice::Icon icon)
{
    const QString name = path.isEmpty() ? SettingsFileName : QFileInfo(path).fileName();
    return {QStringLiteral(" <%1>  %2").arg(name, outcome), details, Words::tr("Message"), icon};
}

} // namespace

QString fileReadFailure(const QString &path, const QString &reason)
{
    return Words::tr("%1 could not be read: %2.").arg(path, systemClause(reason));
}

QString fileWriteFailure(const QString &path, const QString &reason)
{
    return Words::tr("%1 could not be written: %2.").arg(path, systemClause(reason));
}

QString fileKeptText()
{
    return Words::tr("A settings file already there is left as it was.");
}

QString notSettingsFileText(const QString &path)
{
    return Words::tr("%1 is not a settings file: none of its lines is a record of one.").arg(path);
}

QString changedOnDiskText(const QString &path)
{
    return Words::tr("%1 changed since it was loaded: overwrite it, or load it again?")
        .arg(QFileInfo(path).fileName());
}

QString missingRecordText(const QString &key)
{
    return Words::tr("the \"%1\" record is missing").arg(key);
}

Notice saveNotice(const QString &path, const QString &failure)
{
    if (failure.isEmpty())
        return fileNotice(path, Words::tr("Save successful!"), {}, Notice::Icon::Information);
    return fileNotice(path, Words::tr("Save failed!"),
                      fileWriteFailure(path, failure) + "\n\n" + fileKeptText(),
                      Notice::Icon::Warning);
}

Notice loadNotice(const QString &path, const QString &failure, const QList<SkippedValue> &skipped,
                  bool refused)
{
    if (!failure.isEmpty())
        return fileNotice(path, Words::tr("Load failed!"),
                          (refused ? failure : fileReadFailure(path, failure)) + "\n\n" +
                              Words::tr("No setting was changed."),
                          Notice::Icon::Warning);
    if (!skipped.isEmpty())
        return fileNotice(path, Words::tr("Loaded, but some values were damaged!"),
                          Words::tr("These values were not loaded; their settings keep the "
                                    "values they had:\n\n%1")
                              .arg(skippedValuesReport(skipped)),
                          Notice::Icon::Warning);
    return fileNotice(path, Words::tr("Load successful!"), {}, Notice::Icon::Information);
}

QString skippedValueText(const SkippedValue &value)
{
    const QString where = Words::tr("Line %1, \"%2\" value %3: ")
                              .arg(value.lineNumber)
                              .arg(value.record->key)
                              .arg(value.index + 1);
    if (value.text.isEmpty())
        return where + Words::tr("missing");
    // One arg() for both: a "%" in the file's text is not a place marker.
    return where +
           Words::tr("\"%1\" is not %2")
               .arg(value.text, value.record->flags
                                    ? Words::tr("00 or 01")
                                    : Words::tr("%1 hexadecimal digits").arg(value.record->width));
}

QString skippedValuesReport(const QList<SkippedValue> &skipped, int limit)
{
    QStringList lines;
    for (const SkippedValue &value : skipped.first(qMin(skipped.size(), qsizetype(limit))))
        lines << skippedValueText(value);
    if (skipped.size() > limit)
        lines << Words::tr("... and %1 more").arg(skipped.size() - limit);
    return lines.join(QLatin1Char('\n'));
}

} // namespace operations
