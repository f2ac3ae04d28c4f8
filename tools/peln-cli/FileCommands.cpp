// show, diff, set and frame: the settings file, as the window loads and
// saves it.
#include "BrewerOperations.h"
#include "Commands.h"
#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "SerialNotices.h"
#include "SettingNames.h"
#include "SettingWords.h"
#include "SettingsFileFormat.h"
#include "SettingsFileNotices.h"
#include "SettingsFileOperations.h"
#include "SettingsForm.h"
#include "Terminal.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

QString defaultFile()
{
    return QString(SettingsFileName);
}

// Loads a file into `form` as Load does in a window just started, and
// returns its logo; nothing, after saying why, when the file cannot be read.
// Each damaged value, which Load skips, is named on standard error.
std::optional<QString> loadFile(const QString &path, SettingsForm &form, int *damaged = nullptr)
{
    const LoadOutcome loaded = loadSettingsFile(form, path);
    if (!loaded.read()) {
        failed(fileReadFailure(path, loaded.failure));
        return std::nullopt;
    }
    for (const SkippedValue &value : loaded.skipped)
        err() << path << ": not loaded: " << skippedValueText(value) << Qt::endl;
    if (damaged)
        *damaged += int(loaded.skipped.size());
    return loaded.logo.value_or(QString());
}

// One member of a JSON object, as it is written inside the braces.
QString jsonMember(const QString &name, const QString &value)
{
    bool number = false;
    const double asNumber = value.toDouble(&number);
    QJsonValue json(value);
    if (value == "yes" || value == "no")
        json = value == "yes";
    else if (number && name != "logo")
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
        return value == "yes" || value == "no" ? QString() : QStringLiteral("say yes or no");
    case NamedSetting::Kind::Field:
        break;
    }
    if (hasDigitFilter(settingFields()[setting.field].kind)) {
        for (QChar c : value) {
            if (!digitFilterPasses(c.unicode()))
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
        form.setText(field, value == "yes" ? disabledText() : heldCount(form, field));
        return;
    case NamedSetting::Kind::Field:
        break;
    }
    const bool disabled = form.text(field) == disabledText();
    form.setText(field, value);
    if (disabled)
        form.setText(field, disabledText());
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
    out().flush();
}

} // namespace

void printValues(const NamedValues &values, bool json)
{
    QStringList lines;
    for (const auto &[name, value] : values)
        lines << (json ? jsonMember(name, value) : name + '=' + value);
    out() << (json ? "{\n    " + lines.join(",\n    ") + "\n}" : lines.join('\n')) << Qt::endl;
}

std::optional<QByteArray> frameOfFile(const QString &path)
{
    SettingsForm form;
    const auto logo = loadFile(path, form);
    if (!logo)
        return std::nullopt;
    const SettingsFrame frame = frameToSend(form, *logo);
    if (!frame.refusal.isEmpty()) {
        failed(sendRefusedText() + ' ' + frame.refusal);
        return std::nullopt;
    }
    return frame.bytes;
}

QString fileOperand(const Invocation &invocation)
{
    return invocation.operands.value(0, defaultFile());
}

int showCommand(const Invocation &invocation)
{
    SettingsForm form;
    int damaged = 0;
    const auto logo = loadFile(fileOperand(invocation), form, &damaged);
    if (!logo)
        return Failed;
    printValues(shownSettings(form, *logo), invocation.isSet("json"));
    return damaged > 0 ? Differs : Done;
}

int diffCommand(const Invocation &invocation)
{
    const QStringList &files = invocation.operands;
    SettingsForm formA, formB;
    const auto logoA = loadFile(files[0], formA);
    const auto logoB = loadFile(files[1], formB);
    if (!logoA || !logoB)
        return Failed;
    const NamedValues a = shownSettings(formA, *logoA), b = shownSettings(formB, *logoB);
    bool differ = false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].second != b[i].second) {
            out() << a[i].first << ": " << a[i].second << " -> " << b[i].second << '\n';
            differ = true;
        }
    }
    out().flush();
    return differ ? Differs : Done;
}

int setCommand(const Invocation &invocation)
{
    const QString path = invocation.operands.first();
    // Every assignment is checked before anything changes.
    QList<std::pair<const NamedSetting *, QString>> changes;
    for (const QString &item : invocation.operands.mid(1)) {
        const qsizetype equals = item.indexOf('=');
        const NamedSetting *setting = namedSetting(QStringView(item).first(qMax(equals, 0)));
        if (!setting)
            return failed(QStringLiteral("\"%1\" is not name=value with a setting's name; "
                                         "peln-cli set --help lists them.")
                              .arg(item));
        const QString value = item.mid(equals + 1);
        if (const QString problem = valueProblem(*setting, value); !problem.isEmpty())
            return failed(QStringLiteral("%1: %2. Nothing was written.").arg(item, problem));
        changes.append({setting, value});
    }

    // A file that is not there yet is made as a window just started saves it.
    SettingsForm form;
    QString logo;
    int damaged = 0;
    if (QFileInfo::exists(path)) {
        const auto loaded = loadFile(path, form, &damaged);
        if (!loaded)
            return Failed;
        logo = *loaded;
    }
    for (const auto &[setting, value] : changes)
        apply(form, logo, *setting, value);
    const SaveOutcome saved = saveSettings(form, logo, path);
    if (!saved.saved())
        return failed(fileWriteFailure(path, saved.failure) + ' ' + fileKeptText());

    // What each value became, as the file now holds it.
    SettingsForm reloaded;
    const NamedValues held = shownSettings(
        reloaded,
        loadSettings(reloaded, settingsFileBytes(form.table(), logo)).logo.value_or(QString()));
    bool replaced = damaged > 0;
    for (const auto &[setting, value] : changes) {
        const QString stored = held[setting - namedSettings().constData()].second;
        if (stored == value ||
            (setting->kind == NamedSetting::Kind::Field && stored.toDouble() == value.toDouble()))
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
    out().flush();
    return replaced ? Differs : Done;
}

int frameCommand(const Invocation &invocation)
{
    const auto bytes = frameOfFile(fileOperand(invocation));
    if (!bytes)
        return Failed;
    if (invocation.isSet("hex"))
        printPieces(*bytes);
    else
        std::fwrite(bytes->constData(), 1, size_t(bytes->size()), stdout);
    return Done;
}
