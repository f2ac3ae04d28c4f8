#include "SettingsFileOperations.h"

#include "FieldEditors.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileNotices.h"
#include "SettingsForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

Notice SaveOutcome::notice() const
{
    return saveNotice(path, failure);
}

SaveOutcome saveSettings(SettingsForm &form, const QString &logo, const QString &path)
{
    form.table().FillDefaults();
    SaveOutcome outcome{path, {}};
    const QString folder = QFileInfo(path).absolutePath();
    if (folder == settingsFolder(SettingsHome::UserData))
        QDir().mkpath(folder); // a failure shows as the file's

    writeSettingsFile(path, settingsFileBytes(form.table(), logo), &outcome.failure);
    return outcome;
}

Notice LoadOutcome::notice() const
{
    return loadNotice(path, failure, skipped);
}

bool LoadOutcome::isSettingsFile() const
{
    // The Logo line and the records can all be missing: one of them was there.
    return missingRecords.size() <= qsizetype(SettingsRecords.size());
}

QStringList LoadOutcome::damage() const
{
    QStringList items;
    for (const QString &key : missingRecords)
        items << missingRecordText(key);
    for (const SkippedValue &value : skipped)
        items << skippedValueText(value);
    return items;
}

QString settingsFolder(SettingsHome home)
{
    if (home == SettingsHome::BesideProgram)
        return QCoreApplication::applicationDirPath();
    return userSettingsFolder();
}

SettingsHome settingsHome()
{
#ifdef PELN_SYSTEM_INSTALL
    return SettingsHome::UserData;
#else
    return SettingsHome::BesideProgram;
#endif
}

QString defaultSettingsFilePath()
{
    return settingsFilePath(settingsFolder(settingsHome()));
}

LoadOutcome loadSettingsFile(SettingsForm &form, const QString &path)
{
    QString failure;
    const auto bytes = readSettingsFile(path, &failure);
    LoadOutcome outcome = bytes ? loadSettings(form, *bytes) : LoadOutcome{};
    outcome.path = path;
    outcome.failure = failure;
    return outcome;
}

LoadOutcome loadSettings(SettingsForm &form, const QByteArray &bytes)
{
    LoadOutcome loaded;
    SettingsFileLoader loader(form.table());
    for (const QString &line : settingsFileLines(bytes)) {
        if (const auto logo = loader.takeLine(line))
            loaded.logo = logo;
        loaded.lastLine = line;
    }
    loaded.skipped = loader.skipped();
    loaded.missingRecords = loader.missingRecords();
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        const auto shown = loadedFieldText(setting.kind, form.table().slot(setting.slot));
        if (!shown)
            continue;
        form.setText(i, *shown);
        if (const auto corrected = shownCorrection(setting.kind, form.text(i)))
            form.setText(i, *corrected);
    }
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        if (setting.kind == FieldKind::CountWithDisable &&
            loader.flags().value(setting.flagSlot) == u"01")
            form.setText(i, disabledText());
    }
    return loaded;
}
