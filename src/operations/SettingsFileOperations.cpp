#include "SettingsFileOperations.h"

#include "FieldEditors.h"
#include "SettingWords.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLock.h"
#include "SettingsFileNotices.h"
#include "SettingsForm.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileOperations)
};

} // namespace

namespace operations {

namespace {

// The fields' values that `loaded`, the table after Load's field pass, will
// send otherwise than `inFile` would: what the pass replaced, not what
// FillDefaults gives both.
QStringList replacedOnLoad(const SettingsTable &inFile, SettingsTable loaded)
{
    SettingsTable filled = inFile;
    filled.FillDefaults();
    loaded.FillDefaults();
    QStringList replaced;
    for (const SettingField &setting : settingFields()) {
        const auto held = loadedFieldText(setting.kind, inFile.slot(setting.slot));
        const auto wouldGo = DecimalNumber::parse(
            loadedFieldText(setting.kind, filled.slot(setting.slot)).value_or(QString()));
        const auto sent = loadedFieldText(setting.kind, loaded.slot(setting.slot));
        const auto goes = DecimalNumber::parse(sent.value_or(QString()));
        if (held && wouldGo && goes && !sameSetting(setting.kind, *wouldGo, *goes))
            replaced << Words::tr("%1: the file holds %2; %3 is sent")
                            .arg(slotName(setting.slot), *held, *sent);
    }
    return replaced;
}

} // namespace

Notice SaveOutcome::notice() const
{
    return saveNotice(path, failure);
}

SaveOutcome saveSettings(SettingsForm &form, const QString &logo, const QString &path,
                         const std::optional<QByteArray> &digest)
{
    return SettingsFileStep(path).save(form, logo, digest);
}

QByteArray settingsDigest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

SettingsFileStep::SettingsFileStep(const QString &path)
    : m_path(path), m_lock(std::make_unique<SettingsFileLock>(path))
{}

SettingsFileStep::~SettingsFileStep() = default;

QString SettingsFileStep::lockFailure() const
{
    return m_lock->held() ? QString()
                          : Words::tr("it could not be locked: %1").arg(m_lock->failure());
}

bool SettingsFileStep::lockBusy() const
{
    return m_lock->busy();
}

SaveOutcome SettingsFileStep::save(SettingsForm &form, const QString &logo,
                                   const std::optional<QByteArray> &digest) const
{
    SaveOutcome outcome;
    outcome.path = m_path;
    outcome.failure = lockFailure();
    if (!outcome.failure.isEmpty())
        return outcome;
    if (digest) {
        QString unread;
        const auto now = QFileInfo::exists(m_path) ? readSettingsFile(m_path, &unread)
                                                   : std::optional<QByteArray>();
        if (settingsDigest(now.value_or(QByteArray())) != *digest) {
            outcome.changed = true;
            return outcome;
        }
    }
    form.table().FillDefaults();
    const QString folder = QFileInfo(m_path).absolutePath();
    if (folder == settingsFolder(SettingsHome::UserData))
        QDir().mkpath(folder); // a failure shows as the file's
    const QByteArray bytes = settingsFileBytes(form.table(), logo);
    if (writeSettingsFile(m_path, bytes, &outcome.failure))
        outcome.digest = settingsDigest(bytes);
    return outcome;
}

LoadOutcome SettingsFileStep::load(SettingsForm &form, bool onlySettingsFiles) const
{
    QString failure = lockFailure();
    auto bytes = failure.isEmpty() ? readSettingsFile(m_path, &failure) : std::nullopt;
    SettingsForm scratch;
    const bool refused =
        bytes && onlySettingsFiles && !loadSettings(scratch, *bytes).isSettingsFile();
    if (refused) {
        failure = notSettingsFileText(m_path);
        bytes.reset();
    }
    LoadOutcome outcome = bytes ? loadSettings(form, *bytes) : LoadOutcome{};
    outcome.path = m_path;
    outcome.failure = failure;
    outcome.refused = refused;
    if (bytes)
        outcome.digest = settingsDigest(*bytes);
    return outcome;
}

Notice LoadOutcome::notice() const
{
    return loadNotice(path, failure, skipped, refused);
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

QString defaultSettingsFilePath(const QString &folder)
{
    return settingsFilePath(folder.isEmpty() ? settingsFolder(settingsHome()) : folder);
}

QString reloadAsSaved(SettingsForm &reloaded, const SettingsForm &form, const QString &logo)
{
    SettingsForm filled = form;
    filled.table().FillDefaults();
    return loadSettings(reloaded, settingsFileBytes(filled.table(), logo)).logo.value_or(QString());
}

LoadOutcome loadSettingsFile(SettingsForm &form, const QString &path)
{
    return SettingsFileStep(path).load(form);
}

LoadOutcome openSettingsFile(SettingsForm &form, const QString &path)
{
    return SettingsFileStep(path).load(form, true);
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
    const SettingsTable inFile = form.table();
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
    loaded.replaced = replacedOnLoad(inFile, form.table());
    return loaded;
}

} // namespace operations
