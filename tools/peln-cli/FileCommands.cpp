// show, get, diff, set, frame and list: the settings file, as the window
// loads and saves it.
#include "BrewerOperations.h"
#include "Commands.h"
#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "SerialNotices.h"
#include "SettingWords.h"
#include "SettingsFileFormat.h"
#include "SettingsFileNotices.h"
#include "SettingsFileOperations.h"
#include "SettingsForm.h"
#include "Terminal.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Loads a file into `form` as Load does in a window just started, within
// `step` (a step of its own unless given), and names on standard error each
// record or value that is missing or damaged.
// Nothing, after saying why, when the file cannot be read or is not a
// settings file at all.
std::optional<LoadOutcome> loadFile(const QString &path, SettingsForm &form,
                                    const SettingsFileStep &step)
{
    const LoadOutcome loaded = step.load(form);
    if (!loaded.read()) {
        failed(fileReadFailure(path, loaded.failure));
        return std::nullopt;
    }
    if (!loaded.isSettingsFile()) {
        failed(notSettingsFileText(path) + QStringLiteral(" It was left as it is."));
        return std::nullopt;
    }
    for (const QString &item : loaded.damage())
        err() << "peln-cli: " << path << ": " << item << Qt::endl;
    return loaded;
}

std::optional<LoadOutcome> loadFile(const QString &path, SettingsForm &form)
{
    return loadFile(path, form, SettingsFileStep(path));
}

// Names on standard error, unless quiet, each value of the file that Send
// would replace.
void sayReplaced(const QString &path, const LoadOutcome &loaded)
{
    for (const QString &item : loaded.replaced)
        progress(QStringLiteral("peln-cli: %1: %2").arg(path, item));
}

// Refuses a damaged file unless forced; false after saying so.
bool usable(const QString &path, const LoadOutcome &loaded, bool force, const char *refused)
{
    if (loaded.whole() || force)
        return true;
    failed(QStringLiteral("%1 is damaged, as said above: %2. --force uses it as the window "
                          "would after Load.")
               .arg(path, QLatin1String(refused)));
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
        return disabledValue(value) ? QString()
                                    : QStringLiteral("say yes or no, true or false, 1 or 0");
    case NamedSetting::Kind::Field:
        break;
    }
    if (hasDigitFilter(settingFields()[setting.field].kind)) {
        for (QChar c : value) {
            if (!isDigitCharacter(c.unicode()))
                return QStringLiteral("only the digits 0 to 9 can be typed there");
        }
    }
    return DecimalNumber::parse(value) ? QString() : QStringLiteral("that is not a number");
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
            failed(QStringLiteral("\"%1\" is not NAME=VALUE with a setting's name; peln-cli list "
                                  "lists them. Nothing was written.")
                       .arg(item));
            return std::nullopt;
        }
        for (const auto &[earlier, value] : changes) {
            if (earlier == setting) {
                failed(
                    QStringLiteral("%1 is given twice. Nothing was written.").arg(setting->name));
                return std::nullopt;
            }
        }
        const QString value = item.mid(equals + 1);
        if (const QString problem = valueProblem(*setting, value); !problem.isEmpty()) {
            failed(QStringLiteral("%1: %2. Nothing was written.").arg(item, problem));
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

} // namespace

QString fileOperand(const Invocation &invocation)
{
    return invocation.operands.value(0, defaultSettingsFilePath());
}

// The FILE operand of a command whose FILE may be left out before settings
// named after it ("pump" or "pump=80"), and those operands.
std::pair<QString, QStringList> fileAndSettings(const Invocation &invocation)
{
    const QStringList &operands = invocation.operands;
    if (namedSetting(operands.first().section(u'=', 0, 0)))
        return {defaultSettingsFilePath(), operands};
    return {operands.first(), operands.mid(1)};
}

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

std::optional<QByteArray> frameOfFile(const QString &path, bool force)
{
    SettingsForm form;
    const auto loaded = loadFile(path, form);
    if (!loaded || !usable(path, *loaded, force, "nothing was sent"))
        return std::nullopt;
    sayReplaced(path, *loaded);
    const SettingsFrame frame = frameToSend(form, loaded->logo.value_or(QString()));
    if (!frame.refusal.isEmpty()) {
        failed(sendRefusedText() + ' ' + frame.refusal);
        return std::nullopt;
    }
    return frame.bytes;
}

int showCommand(const Invocation &invocation)
{
    SettingsForm form;
    const auto loaded = loadFile(fileOperand(invocation), form);
    if (!loaded)
        return Failed;
    sayReplaced(fileOperand(invocation), *loaded);
    printValues(shownSettings(form, loaded->logo.value_or(QString())), invocation.isSet("json"));
    return loaded->whole() ? Done : Differs;
}

int getCommand(const Invocation &invocation)
{
    const auto [path, names] = fileAndSettings(invocation);
    if (names.isEmpty())
        return failed(QStringLiteral("no setting is named; peln-cli list lists them."));
    for (const QString &name : names) {
        if (!namedSetting(name))
            return failed(QStringLiteral("\"%1\" is not a setting's name; peln-cli list lists "
                                         "them.")
                              .arg(name));
    }
    SettingsForm form;
    const auto loaded = loadFile(path, form);
    if (!loaded)
        return Failed;
    const NamedValues values = shownSettings(form, loaded->logo.value_or(QString()));
    for (const QString &name : names)
        out() << values[namedSetting(name) - namedSettings().constData()].second << '\n';
    return loaded->whole() ? Done : Differs;
}

int diffCommand(const Invocation &invocation)
{
    const QStringList &files = invocation.operands;
    SettingsForm formA, formB;
    const auto loadedA = loadFile(files[0], formA);
    const auto loadedB = loadFile(files[1], formB);
    if (!loadedA || !loadedB)
        return Failed;
    const NamedValues a = shownSettings(formA, loadedA->logo.value_or(QString()));
    const NamedValues b = shownSettings(formB, loadedB->logo.value_or(QString()));
    bool differ = !loadedA->whole() || !loadedB->whole();
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].second != b[i].second) {
            out() << a[i].first << ": " << a[i].second << " -> " << b[i].second << '\n';
            differ = true;
        }
    }
    return differ ? Differs : Done;
}

int setCommand(const Invocation &invocation)
{
    const auto [path, assignments] = fileAndSettings(invocation);
    if (assignments.isEmpty())
        return failed(QStringLiteral("no NAME=VALUE is given; peln-cli list lists the names."));
    const auto changes = askedChanges(assignments);
    if (!changes)
        return Failed;
    const SettingsFileStep step(path);
    if (const QString failure = step.lockFailure(); !failure.isEmpty())
        return failed(QStringLiteral("%1: %2. Nothing was written.").arg(path, failure));

    // A file that is not there yet is made as a window just started saves it.
    SettingsForm form;
    QString logo;
    if (QFileInfo::exists(path)) {
        const auto loaded = loadFile(path, form, step);
        if (!loaded || !usable(path, *loaded, invocation.isSet("force"), "nothing was written"))
            return Failed;
        logo = loaded->logo.value_or(QString());
    }
    for (const auto &[setting, value] : *changes)
        apply(form, logo, *setting, value);
    const SaveOutcome saved = step.save(form, logo);
    if (!saved.saved())
        return failed(fileWriteFailure(path, saved.failure) + ' ' + fileKeptText());

    // What each value became, as the file now holds it.
    SettingsForm reloaded;
    const NamedValues held = shownSettings(
        reloaded,
        loadSettings(reloaded, settingsFileBytes(form.table(), logo)).logo.value_or(QString()));
    bool replaced = false;
    for (const auto &[setting, value] : *changes) {
        const QString stored = held[setting - namedSettings().constData()].second;
        const bool same = setting->kind == NamedSetting::Kind::Disabled
                              ? disabledValue(value) == disabledValue(stored)
                              : stored == value || (setting->kind == NamedSetting::Kind::Field &&
                                                    stored.toDouble() == value.toDouble());
        if (same)
            continue;
        QString change = QStringLiteral("%1=%2 ").arg(setting->name, value);
        const auto number = DecimalNumber::parse(value);
        if (setting->kind == NamedSetting::Kind::Logo) {
            change += QStringLiteral("is longer than %1 characters; ").arg(LogoTypedLimit);
            replaced = true;
        } else if (setting->kind == NamedSetting::Kind::Field && number) {
            const FieldKind kind = settingFields()[setting->field].kind;
            if (!withinRange(kind, *number)) {
                change += QStringLiteral("is out of range (%1); ").arg(rangeText(kind));
                replaced = true;
            }
        }
        out() << change << "stored " << stored << '\n';
    }
    return replaced ? Differs : Done;
}

int frameCommand(const Invocation &invocation)
{
    const auto bytes = frameOfFile(fileOperand(invocation), invocation.isSet("force"));
    if (!bytes)
        return Failed;
    if (invocation.isSet("hex"))
        printPieces(*bytes);
    else
        writeOut(*bytes);
    return Done;
}

int listCommand(const Invocation &)
{
    out() << namesTable();
    return Done;
}
