// show, get, diff, set, frame and list: the settings file, as the window
// loads and saves it.
#include "BrewerOperations.h"
#include "Commands.h"
#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "SerialNotices.h"
#include "SettingWords.h"
#include "SettingsFileNotices.h"
#include "SettingsFileOperations.h"
#include "SettingsForm.h"
#include "Terminal.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(FileCommands)
};

} // namespace

using namespace operations;

namespace {

// Loads a file into `form` as Load does in a window just started, within
// `step` (a step of its own unless given), and names on standard error each
// record or value that is missing or damaged.
// Nothing, after saying why, when the file cannot be read or is not a
// settings file at all.
std::optional<LoadOutcome> loadFile(const QString &path, SettingsForm &form,
                                    const SettingsFileStep &step, Status *status)
{
    const LoadOutcome loaded = step.load(form);
    if (!loaded.read()) {
        *status = failed(fileReadFailure(path, loaded.failure),
                         step.lockBusy() ? Status::Busy : Status::Failed);
        return std::nullopt;
    }
    if (!loaded.isSettingsFile()) {
        *status = failed(notSettingsFileText(path) + Words::tr(" It was left as it is."),
                         Status::Refused);
        return std::nullopt;
    }
    for (const QString &item : loaded.damage())
        err() << "peln-cli: " << path << ": " << item << Qt::endl;
    return loaded;
}

std::optional<LoadOutcome> loadFile(const QString &path, SettingsForm &form, Status *status)
{
    return loadFile(path, form, SettingsFileStep(path), status);
}

// Names on standard error, unless quiet, each value of the file that Send
// would replace.
void sayReplaced(const QString &path, const LoadOutcome &loaded)
{
    for (const QString &item : loaded.replaced)
        progress(QStringLiteral("peln-cli: %1: %2").arg(path, item));
}

// Refuses a damaged file unless forced; false after saying so.
bool usable(const QString &path, const LoadOutcome &loaded, bool force, const char *refused,
            Status *status)
{
    if (loaded.whole() || force)
        return true;
    *status = failed(Words::tr("%1 is damaged, as said above: %2. --force uses it as the "
                               "window would after Load.")
                         .arg(path, QLatin1String(refused)),
                     Status::Refused);
    return false;
}

// One member of a JSON object, as it is written inside the braces.
QString jsonMember(const QString &name, const QString &value)
{
    bool number = false;
    const double asNumber = value.toDouble(&number);
    QJsonValue json(value);
    if (name.endsWith(u".disabled"))
        json = value == u"yes";
    else if (number && name != u"logo")
        json = asNumber;
    const QByteArray one = QJsonDocument(QJsonObject{{name, json}}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(one.mid(1, one.size() - 2));
}

// Why a value cannot be typed into its setting's field, or "".
QString valueProblem(const NamedSetting &setting, const QString &value)
{
    switch (setting.kind) {
    case NamedSetting::Kind::Logo:
        for (QChar c : value) {
            if (!isLogoCharacter(c.unicode()))
                return logoFilterMessage();
        }
        return {};
    case NamedSetting::Kind::Disabled:
        return disabledValue(value) ? QString() : Words::tr("say yes or no, true or false, 1 or 0");
    case NamedSetting::Kind::Field:
        break;
    }
    if (hasDigitFilter(settingFields()[setting.field].kind)) {
        for (QChar c : value) {
            if (!isDigitCharacter(c.unicode()))
                return Words::tr("only the digits 0 to 9 can be typed there");
        }
    }
    return DecimalNumber::parse(value) ? QString() : Words::tr("that is not a number");
}

// Types the value into its setting's field, as a user would: a count given
// to a disabled button is kept, and the button stays disabled.
void apply(SettingsForm &form, QString &logo, const NamedSetting &setting, const QString &value)
{
    const int field = setting.field;
    switch (setting.kind) {
    case NamedSetting::Kind::Logo:
        logo = value.left(LogoTypedLimit); // typing stops there
        return;
    case NamedSetting::Kind::Disabled:
        form.setText(field, *disabledValue(value) ? disabledText() : heldCount(form, field));
        return;
    case NamedSetting::Kind::Field:
        break;
    }
    const bool disabled = form.text(field) == disabledText();
    form.setText(field, value);
    if (disabled)
        form.setText(field, disabledText());
}

// The changes a set command asks for, every one checked before anything is
// read or written; nothing, after saying why, for bad usage.
std::optional<QList<std::pair<const NamedSetting *, QString>>>
askedChanges(const QStringList &assignments)
{
    QList<std::pair<const NamedSetting *, QString>> changes;
    for (const QString &item : assignments) {
        const qsizetype equals = item.indexOf('=');
        const NamedSetting *setting = namedSetting(QStringView(item).first(qMax(equals, 0)));
        if (!setting) {
            failed(Words::tr("\"%1\" is not NAME=VALUE with a setting's name; peln-cli list "
                             "lists them. Nothing was written.")
                       .arg(item));
            return std::nullopt;
        }
        for (const auto &[earlier, value] : changes) {
            if (earlier == setting) {
                failed(Words::tr("%1 is given twice. Nothing was written.").arg(setting->name));
                return std::nullopt;
            }
        }
        const QString value = item.mid(equals + 1);
        if (const QString problem = valueProblem(*setting, value); !problem.isEmpty()) {
            failed(Words::tr("%1: %2. Nothing was written.").arg(item, problem));
            return std::nullopt;
        }
        changes.append({setting, value});
    }
    return changes;
}

// The frame piece by piece: each piece's bytes in hexadecimal, then its text.
void printPieces(const QByteArray &frame)
{
    const qsizetype logoEnd = frame.startsWith('$') ? frame.indexOf('/') + 1 : 0;
    QList<std::pair<const char *, qsizetype>> pieces; // name, length
    if (logoEnd > 0)
        pieces = {{"logo start", 2}, {"logo", logoEnd - 3}, {"logo end", 1}};
    pieces += {{"settings start", 1},
               {"left button", FrameButtonRowLength},
               {"center button", FrameButtonRowLength},
               {"right button", FrameButtonRowLength},
               {"counts", FrameCountsLength},
               {"disabled", FrameFlagsLength},
               {"calibration", FrameCalibrationLength},
               {"pump", FramePumpSpeedLength},
               {"drip", FrameDripTimeLength},
               {"settings end", 1}};
    qsizetype at = 0;
    for (const auto &[name, length] : pieces) {
        const QByteArray piece = frame.mid(at, length);
        out() << QStringLiteral("%1 %2 \"%3\"\n")
                     .arg(QLatin1String(name), -15)
                     .arg(QString::fromLatin1(piece.toHex(' ').toUpper()), -54)
                     .arg(QString::fromLatin1(piece));
        at += length;
    }
}

// What the file holds of each setting given, once `form` and `logo` are
// saved: "pump=100" for each, and for each that differs from what was
// given, why: "pump=150 is out of range (70 to 100 percent); stored 100",
// "calibration=97.85 is rounded; stored 97.8".
std::pair<QStringList, QStringList>
storedValues(const SettingsForm &form, const QString &logo,
             const QList<std::pair<const NamedSetting *, QString>> &changes)
{
    SettingsForm reloaded;
    const NamedValues held = shownSettings(reloaded, reloadAsSaved(reloaded, form, logo));
    QStringList stored, notes;
    for (const auto &[setting, value] : changes) {
        const QString kept = held[setting - namedSettings().constData()].second;
        stored << setting->name + u'=' + kept;
        const auto given = DecimalNumber::parse(value), now = DecimalNumber::parse(kept);
        const bool same = setting->kind == NamedSetting::Kind::Disabled
                              ? disabledValue(value) == disabledValue(kept)
                              : kept == value || (setting->kind == NamedSetting::Kind::Field &&
                                                  given && now && *given == *now);
        if (same)
            continue;
        QString why = Words::tr("is rounded");
        if (setting->kind == NamedSetting::Kind::Logo)
            why = Words::tr("is longer than %1 characters").arg(LogoTypedLimit);
        else if (const FieldKind kind = settingFields()[setting->field].kind;
                 given && !withinRange(kind, *given))
            why = Words::tr("is out of range (%1)").arg(rangeText(kind));
        notes << Words::tr("%1=%2 %3; stored %4").arg(setting->name, value, why, kept);
    }
    return {stored, notes};
}

} // namespace

void printValues(const NamedValues &values, bool json)
{
    QStringList lines;
    for (const auto &[name, value] : values)
        lines << (json ? jsonMember(name, value) : name + '=' + value);
    out() << (json ? "{\n    " + lines.join(",\n    ") + "\n}" : lines.join('\n')) << '\n';
}

QString namesTable()
{
    QString table;
    for (const NameDescription &each : nameDescriptions())
        table +=
            QStringLiteral("%1 %2 %3\n").arg(each.name, -18).arg(each.takes, -38).arg(each.meaning);
    return table;
}

std::optional<QByteArray> frameOfFile(const QString &path, bool force, Status *status)
{
    SettingsForm form;
    const auto loaded = loadFile(path, form, status);
    if (!loaded || !usable(path, *loaded, force, "nothing was sent", status))
        return std::nullopt;
    sayReplaced(path, *loaded);
    const SettingsFrame frame = frameToSend(form, loaded->logo.value_or(QString()));
    if (!frame.refusal.isEmpty()) {
        *status = failed(sendRefusedText() + ' ' + frame.refusal, Status::Refused);
        return std::nullopt;
    }
    return frame.bytes;
}

Status showCommand(const Invocation &invocation)
{
    SettingsForm form;
    Status status = Status::Done;
    const auto loaded = loadFile(invocation.file, form, &status);
    if (!loaded)
        return status;
    sayReplaced(invocation.file, *loaded);
    printValues(shownSettings(form, loaded->logo.value_or(QString())), invocation.isSet("json"));
    return loaded->whole() ? Status::Done : Status::Differs;
}

Status getCommand(const Invocation &invocation)
{
    for (const QString &name : invocation.operands) {
        if (!namedSetting(name))
            return failed(Words::tr("\"%1\" is not a setting's name; peln-cli list lists "
                                    "them, and -f %1 names a file.")
                              .arg(name));
    }
    SettingsForm form;
    Status status = Status::Done;
    const auto loaded = loadFile(invocation.file, form, &status);
    if (!loaded)
        return status;
    const NamedValues values = shownSettings(form, loaded->logo.value_or(QString()));
    for (const QString &name : invocation.operands)
        out() << values[namedSetting(name) - namedSettings().constData()].second << '\n';
    return loaded->whole() ? Status::Done : Status::Differs;
}

Status diffCommand(const Invocation &invocation)
{
    const QStringList &files = invocation.operands;
    SettingsForm formA, formB;
    Status status = Status::Done;
    const auto loadedA = loadFile(files[0], formA, &status);
    const auto loadedB = loadedA ? loadFile(files[1], formB, &status) : std::nullopt;
    if (!loadedA || !loadedB)
        return status;
    const NamedValues a = shownSettings(formA, loadedA->logo.value_or(QString()));
    const NamedValues b = shownSettings(formB, loadedB->logo.value_or(QString()));
    bool differ = !loadedA->whole() || !loadedB->whole();
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].second != b[i].second) {
            out() << a[i].first << ": " << a[i].second << " -> " << b[i].second << '\n';
            differ = true;
        }
    }
    return differ ? Status::Differs : Status::Done;
}

Status setCommand(const Invocation &invocation)
{
    const QString &path = invocation.file;
    const auto changes = askedChanges(invocation.operands);
    if (!changes)
        return Status::Failed;
    const SettingsFileStep step(path);
    if (const QString failure = step.lockFailure(); !failure.isEmpty())
        return failed(Words::tr("%1: %2. Nothing was written.").arg(path, failure),
                      step.lockBusy() ? Status::Busy : Status::Failed);

    // A file that is not there yet is made as a window just started saves it.
    SettingsForm form;
    QString logo;
    Status status = Status::Done;
    if (QFileInfo::exists(path)) {
        const auto loaded = loadFile(path, form, step, &status);
        if (!loaded ||
            !usable(path, *loaded, invocation.isSet("force"), "nothing was written", &status))
            return status;
        logo = loaded->logo.value_or(QString());
    }
    for (const auto &[setting, value] : *changes)
        apply(form, logo, *setting, value);
    const auto [stored, notes] = storedValues(form, logo, *changes);
    if (invocation.isSet("strict") && !notes.isEmpty()) {
        for (const QString &note : notes)
            err() << "peln-cli: " << note << Qt::endl;
        return failed(Words::tr("--strict: these values would not be stored as given. "
                                "Nothing was written."),
                      Status::Refused);
    }
    if (invocation.isSet("dry-run")) {
        out() << stored.join(u'\n') << '\n';
        for (const QString &note : notes)
            progress(QStringLiteral("peln-cli: ") + note);
        progress(Words::tr("--dry-run: nothing was written."));
        return notes.isEmpty() ? Status::Done : Status::Differs;
    }
    const SaveOutcome saved = step.save(form, logo);
    if (!saved.saved())
        return failed(fileWriteFailure(path, saved.failure) + ' ' + fileKeptText());
    for (const QString &note : notes)
        out() << note << '\n';
    return notes.isEmpty() ? Status::Done : Status::Differs;
}

Status frameCommand(const Invocation &invocation)
{
    Status status = Status::Done;
    const auto bytes = frameOfFile(invocation.file, invocation.isSet("force"), &status);
    if (!bytes)
        return status;
    if (invocation.isSet("hex"))
        printPieces(*bytes);
    else
        writeOut(*bytes);
    return Status::Done;
}

Status listCommand(const Invocation &)
{
    out() << namesTable();
    return Status::Done;
}
