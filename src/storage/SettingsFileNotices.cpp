#include "SettingsFileNotices.h"

#include "SettingsFileFormat.h"

namespace {

// " <PELN PROGRAM DATA.TXT>  " and the outcome.
QString fileNotice(const char *outcome)
{
    return QStringLiteral(" <%1>  %2").arg(SettingsFileName, QLatin1StringView(outcome));
}

} // namespace

QString fileNoticeCaption()
{
    return QStringLiteral("Message");
}

QString saveSuccessfulText()
{
    return fileNotice("Save successful!");
}

QString loadSuccessfulText()
{
    return fileNotice("Load successful!");
}

QString saveFailedText()
{
    return fileNotice("Save failed!");
}

QString saveFailedDetails(const QString &path, const QString &reason)
{
    return QStringLiteral("%1 could not be written: %2.\n\nA settings file already there is "
                          "left as it was.")
        .arg(path, reason);
}

QString loadFailedText()
{
    return fileNotice("Load failed!");
}

QString loadFailedDetails(const QString &path, const QString &reason)
{
    return QStringLiteral("%1 could not be read: %2.\n\nNo setting was changed.").arg(path, reason);
}

QString loadDamagedText()
{
    return fileNotice("Loaded, but some values were damaged!");
}

QString loadDamagedDetails(const QList<SkippedValue> &skipped)
{
    return QStringLiteral("These values were not loaded; their settings keep the values they "
                          "had:\n\n%1")
        .arg(skippedValuesReport(skipped));
}
