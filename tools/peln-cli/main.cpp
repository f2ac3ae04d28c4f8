// peln-cli: the settings file and the brewer from a terminal. Every rule it
// applies is the window's own: the same field editors, Load, frame, reply
// decoding and serial link.
//
// Exit status: 0 success (diff: the files agree); 1 the files differ, a
// damaged value (show, set), a value replaced because it was out of range
// (set) or no good record before the timeout (read); 2 bad usage, a file or
// port that cannot be opened, a write that failed, a refused frame.
#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "LoadFieldPass.h"
#include "ReplyDisplay.h"
#include "ReplyRecord.h"
#include "SerialLink.h"
#include "SettingNames.h"
#include "SettingWords.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsForm.h"
#include "SettingsFrame.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QThread>

#include <cstdio>

namespace {

enum Status { Done = 0, Differs = 1, Failed = 2 };

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int failed(const QString &message)
{
    err() << "peln-cli: " << message << Qt::endl;
    return Failed;
}

QString defaultFile()
{
    return QString(SettingsFileName);
}

// Loads a file into `form` as Load does in a window just started, and
// returns its logo; nothing, after saying why, when the file cannot be read.
// Each damaged value, which Load skips, is named on standard error.
std::optional<QString> loadFile(const QString &path, SettingsForm &form, int *damaged = nullptr)
{
    QString reason;
    const auto bytes = readSettingsFile(path, &reason);
    if (!bytes) {
        failed(QStringLiteral("%1 could not be read: %2.").arg(path, reason));
        return std::nullopt;
    }
    const LoadedFile loaded = loadSettings(form, *bytes);
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

void print(const NamedValues &values, bool json)
{
    QStringList lines;
    for (const auto &[name, value] : values)
        lines << (json ? jsonMember(name, value) : name + '=' + value);
    out() << (json ? "{\n    " + lines.join(",\n    ") + "\n}" : lines.join('\n')) << Qt::endl;
}

int show(const QStringList &files, bool json)
{
    SettingsForm form;
    int damaged = 0;
    const auto logo = loadFile(files.value(0, defaultFile()), form, &damaged);
    if (!logo)
        return Failed;
    print(shownSettings(form, *logo), json);
    return damaged > 0 ? Differs : Done;
}

int diff(const QStringList &files)
{
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

int set(const QString &path, const QStringList &assignments)
{
    // Every assignment is checked before anything changes.
    QList<std::pair<const NamedSetting *, QString>> changes;
    for (const QString &item : assignments) {
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
    form.table().FillDefaults();
    const QByteArray bytes = settingsFileBytes(form.table(), logo);
    QString reason;
    if (!writeSettingsFile(path, bytes, &reason))
        return failed(QStringLiteral("%1 could not be written: %2. A settings file already there "
                                     "is left as it was.")
                          .arg(path, reason));

    // What each value became, as the file now holds it.
    SettingsForm saved;
    const NamedValues held = shownSettings(saved, loadSettings(saved, bytes).logo.value_or(""));
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

// The frame the window would send after loading the file and pressing Send.
std::optional<QByteArray> frameOf(const QString &path)
{
    SettingsForm form;
    const auto logo = loadFile(path, form);
    if (!logo)
        return std::nullopt;
    form.table().FillDefaults();
    const SettingsFrame frame = buildSettingsFrame(form.table(), *logo);
    if (!frame.refusal.isEmpty()) {
        failed("the settings cannot be sent to the brewer. " + frame.refusal);
        return std::nullopt;
    }
    return frame.bytes;
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

int frame(const QStringList &files, bool hex)
{
    const auto bytes = frameOf(files.value(0, defaultFile()));
    if (!bytes)
        return Failed;
    if (hex)
        printPieces(*bytes);
    else
        std::fwrite(bytes->constData(), 1, size_t(bytes->size()), stdout);
    return Done;
}

// Opens the port at 9600 baud, 8N1; nothing, after saying why, when it fails.
bool openPort(SerialLink &link, const QString &device)
{
    link.setDeviceName(device);
    link.setSettings(QStringLiteral("9600,n,8,1"));
    if (link.open())
        return true;
    failed(QStringLiteral("%1 could not be opened: %2.\n%3")
               .arg(device, link.errorString(), presentDevicesText(link.presentDevices())));
    return false;
}

int send(const QStringList &files, const QString &device)
{
    const auto bytes = frameOf(files.value(0, defaultFile()));
    if (!bytes)
        return Failed;
    SerialLink link;
    if (!openPort(link, device))
        return Failed;
    if (!link.write(*bytes) || !link.waitUntilSent())
        return failed(
            QStringLiteral("the brewer did not get the settings: %1").arg(link.errorString()));
    err() << "Sent " << bytes->size() << " bytes to " << device << Qt::endl;
    return Done;
}

int read(const QString &device, double seconds, bool json)
{
    SerialLink link;
    if (!openPort(link, device))
        return Failed;
    const QDeadlineTimer deadline(qint64(seconds * 1000));
    err() << "Waiting up to " << seconds << " s for the brewer's record on " << device << Qt::endl;
    QByteArray bytes;
    while (bytes.size() < ReplyLength && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (!link.isOpen())
            return failed(QStringLiteral("the port stopped working: %1").arg(link.errorString()));
        bytes += link.takeInput();
        if (bytes.size() < ReplyLength)
            QThread::msleep(20);
    }
    SettingsForm form;
    const ReplyDisplay shown = showReply(form, replyPieces(replyDump(bytes)));
    if (!shown.good) {
        err() << "peln-cli: no good record from the brewer within " << seconds << " seconds: "
              << (bytes.size() < ReplyLength ? QStringLiteral("%1 of its %2 bytes arrived.")
                                                   .arg(bytes.size())
                                                   .arg(ReplyLength)
                                             : QStringLiteral("it does not start with FF AA."))
              << Qt::endl;
        return Differs;
    }
    const char *const buttons[] = {"left", "center", "right"};
    NamedValues values;
    for (int i = 0; i < ButtonCount; ++i)
        values.append({QStringLiteral("%1.total").arg(QLatin1String(buttons[i])), shown.totals[i]});
    for (int field = 0; field < ButtonSlots; ++field)
        values.append({buttonFieldName(field), form.text(field)});
    values.append({QStringLiteral("brewer.calibration"), shown.calibration});
    for (const QString &name : {QStringLiteral("pump"), QStringLiteral("drip")})
        values.append({name, form.text(namedSetting(name)->field)});
    print(values, json);
    return Done;
}

struct Command
{
    const char *name;
    const char *syntax;
    const char *description;
};

const Command Commands[] = {
    {"show", "show [FILE] [--json]",
     "Prints the settings FILE holds as the window shows them after Load, one\n"
     "name=value a line, or one JSON object. FILE is \"PELN PROGRAM DATA.TXT\" in\n"
     "this folder unless given."},
    {"diff", "diff FILE_A FILE_B", "Prints each setting that differs, as name: A -> B."},
    {"set", "set FILE name=value ...",
     "Changes settings as typing them into the window's fields would, then writes\n"
     "FILE as Save does, and says what each value became where it was replaced.\n"
     "A FILE that is not there yet is made as a window just started saves it.\n"
     "Names: logo, left.pulse1 ... left.pulse8, left.volume, the same for center.\n"
     "and right., left.count, center.count, right.count, center.disabled and\n"
     "right.disabled (yes or no), calibration, pump, drip."},
    {"frame", "frame [FILE] [--hex]",
     "Writes the exact bytes the window sends after loading FILE and pressing\n"
     "Send to Brewer; --hex prints them piece by piece."},
    {"send", "send [FILE] --port DEVICE",
     "Sends that frame at 9600 baud, 8N1, and returns when every byte has left\n"
     "the port."},
    {"read", "read --port DEVICE [--timeout SECONDS] [--json]",
     "Waits up to SECONDS (10 unless given) for the brewer's 39-byte record and\n"
     "prints what Read from Brewer shows."},
};

QString usage(const Command *command)
{
    if (command)
        return QStringLiteral("Usage: peln-cli %1\n\n%2\n")
            .arg(QLatin1String(command->syntax), QLatin1String(command->description));
    QString text = QStringLiteral("Usage: peln-cli COMMAND ...\n\nThe brewer's settings file and "
                                  "the brewer from a terminal.\n\nCommands:\n");
    for (const Command &each : Commands)
        text += QStringLiteral("  %1\n").arg(QLatin1String(each.syntax));
    return text + QStringLiteral("\npeln-cli COMMAND --help says more; --version prints the "
                                 "version.\nExit status: 0 done; 1 files differ, a damaged or "
                                 "replaced value, no good\nrecord; 2 bad usage, a file or port "
                                 "that cannot be used, a refused frame.\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("peln-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELN_VERSION));

    QCommandLineParser top;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    top.addOptions({help, version});
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!top.parse(app.arguments()))
        return failed(top.errorText().chopped(1) + QStringLiteral("; see peln-cli --help."));
    const QStringList args = top.positionalArguments();
    const QString name = args.value(0);
    const Command *command = nullptr;
    for (const Command &each : Commands)
        command = name == QLatin1String(each.name) ? &each : command;
    if (top.isSet(version)) {
        out() << "peln-cli " << QCoreApplication::applicationVersion() << Qt::endl;
        return Done;
    }
    if (args.isEmpty() && top.isSet(help)) {
        out() << usage(nullptr);
        return Done;
    }
    if (!command)
        return failed((name.isEmpty() ? QStringLiteral("a command is needed")
                                      : QStringLiteral("\"%1\" is not a command").arg(name)) +
                      QStringLiteral("; see peln-cli --help."));

    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption hex(QStringLiteral("hex"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(),
                                     QStringLiteral("SECONDS"), QStringLiteral("10"));
    parser.addOption(help);
    if (name == "show" || name == "read")
        parser.addOption(json);
    if (name == "frame")
        parser.addOption(hex);
    if (name == "send" || name == "read")
        parser.addOption(port);
    if (name == "read")
        parser.addOption(timeout);
    if (!parser.parse(QStringList{app.arguments().first()} + args.mid(1)))
        return failed(parser.errorText().chopped(1) +
                      QStringLiteral("; see peln-cli %1 --help.").arg(name));
    if (parser.isSet(help)) {
        out() << usage(command);
        return Done;
    }

    const QStringList operands = parser.positionalArguments();
    const int needed = name == "diff" ? 2 : name == "set" ? 2 : 0;
    const int allowed = name == "diff"   ? 2
                        : name == "set"  ? int(operands.size())
                        : name == "read" ? 0
                                         : 1;
    if (operands.size() < needed || operands.size() > allowed)
        return failed(QStringLiteral("usage: peln-cli %1").arg(QLatin1String(command->syntax)));
    if ((name == "send" || name == "read") && parser.value(port).isEmpty())
        return failed(QStringLiteral("--port DEVICE is needed; see peln-cli %1 --help.").arg(name));

    if (name == "show")
        return show(operands, parser.isSet(json));
    if (name == "diff")
        return diff(operands);
    if (name == "set")
        return set(operands.first(), operands.mid(1));
    if (name == "frame")
        return frame(operands, parser.isSet(hex));
    if (name == "send")
        return send(operands, parser.value(port));
    bool isNumber = false;
    const double seconds = parser.value(timeout).toDouble(&isNumber);
    if (!isNumber || seconds <= 0 || seconds > 86400)
        return failed(QStringLiteral("--timeout takes a number of seconds up to 86400."));
    return read(parser.value(port), seconds, parser.isSet(json));
}
