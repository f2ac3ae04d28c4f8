#include "Commands.h"

#include "SettingsFileOperations.h"
#include "Terminal.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(Commands)
};

} // namespace

using namespace operations;

namespace {

const CommandOption Json{.name = "json",
                         .description = QT_TRANSLATE_NOOP("Commands", "print one JSON object")};
const CommandOption Hex{
    .name = "hex",
    .description = QT_TRANSLATE_NOOP("Commands", "print the bytes piece by piece in hexadecimal")};
const CommandOption Force{.name = "force",
                          .description = QT_TRANSLATE_NOOP(
                              "Commands", "use a damaged file as the window would after Load")};
const CommandOption File{.name = "file",
                         .valueName = "FILE",
                         .description = QT_TRANSLATE_NOOP(
                             "Commands", "the settings file, wherever it stands among the words"),
                         .shortName = 'f'};
const CommandOption Port{
    .name = "port",
    .valueName = "DEVICE",
    .description = QT_TRANSLATE_NOOP(
        "Commands", "the serial port: COM1 to COM16 as the window maps them, or a device")};
const CommandOption Timeout{
    .name = "timeout",
    .valueName = "SECONDS",
    .defaultValue = "10",
    .description = QT_TRANSLATE_NOOP("Commands",
                                     "how long to wait for the brewer's record (10 unless given)")};
const CommandOption Read{
    .name = "read",
    .description = QT_TRANSLATE_NOOP(
        "Commands", "keep the port open and print the brewer's answer as read does")};
const CommandOption Verify{
    .name = "verify",
    .description =
        QT_TRANSLATE_NOOP("Commands", "wait for the brewer's answer and print each setting it "
                                      "holds\n                     otherwise than it was sent")};
const CommandOption DryRun{
    .name = "dry-run",
    .description = QT_TRANSLATE_NOOP("Commands", "print what would be stored, and write nothing")};
const CommandOption Strict{
    .name = "strict",
    .description = QT_TRANSLATE_NOOP(
        "Commands", "refuse, writing nothing, a value that would be replaced or rounded")};

QString fileNote()
{
    return Words::tr("\nWithout FILE, the settings file that the window installed with this\n"
                     "program uses:\n"
                     "  %1\n")
        .arg(defaultSettingsFilePath());
}

// The exit statuses, as the overview and the manual page list them.
QString statusesText()
{
    return Words::tr("Exit status:\n"
                     "  0  done; for diff, the files agree; for send --verify, the brewer holds\n"
                     "     every setting sent\n"
                     "  1  the files differ, a value was missing, damaged, replaced or rounded,\n"
                     "     no good record came, or the brewer holds a setting otherwise than sent\n"
                     "  2  bad usage, a file that cannot be read or written, a port that failed,\n"
                     "     or standard output that could not be written\n"
                     "  3  a file that is no settings file, a damaged file without --force, a\n"
                     "     frame the brewer cannot take, or with set --strict a value that would\n"
                     "     be replaced\n"
                     "  4  busy: another program holds the port or the settings file; try again\n"
                     "  5  the port names no device of this computer\n");
}

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {.name = "show",
         .syntax = "show [FILE] [--json]",
         .description = QT_TRANSLATE_NOOP(
             "Commands", "Prints the settings FILE holds as the window shows them after Load, one\n"
                         "name=value a line, or one JSON object that set takes back. Missing or\n"
                         "damaged values are named on standard error, and so is each value that\n"
                         "Send would replace (out of its field's range)."),
         .options = {File, Json},
         .maxOperands = 0,
         .file = FilePlace::FirstOperand,
         .run = showCommand},
        {.name = "get",
         .syntax = "get [-f FILE] NAME...",
         .description = QT_TRANSLATE_NOOP(
             "Commands", "Prints the values of the settings named, one a line, in that order.\n"
                         "Every word after get is a setting's name: FILE is given with -f."),
         .options = {File},
         .minOperands = 1,
         .maxOperands = Command::Unlimited,
         .file = FilePlace::OptionOnly,
         .run = getCommand},
        {.name = "diff",
         .syntax = "diff FILE_A FILE_B",
         .description =
             QT_TRANSLATE_NOOP("Commands", "Prints each setting that differs, as name: A -> B."),
         .minOperands = 2,
         .maxOperands = 2,
         .run = diffCommand},
        {.name = "set",
         .syntax = "set [--force] [--dry-run] [--strict] [FILE] NAME=VALUE...",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Changes settings as typing them into the window's fields would, then writes\n"
             "FILE as Save does, and says what each value became where it was replaced\n"
             "or rounded. A word with \"=\" is always NAME=VALUE, never FILE. A FILE that\n"
             "is not there yet is made as a window just started saves it; a damaged one\n"
             "is left alone unless --force is given. A rewritten FILE keeps its owner,\n"
             "group and mode; one with other hard links is left alone. Every step that\n"
             "reads or rewrites FILE, here and in the window, holds its lock; one held\n"
             "elsewhere is waited for 5 seconds. The names, what they take and what\n"
             "they mean (the Disable settings take yes or no, true or false, 1 or 0):"),
         .options = {File, Force, DryRun, Strict},
         .minOperands = 1,
         .maxOperands = Command::Unlimited,
         .file = FilePlace::BeforeAssignments,
         .listsNames = true,
         .run = setCommand},
        {.name = "frame",
         .syntax = "frame [FILE] [--hex] [--force]",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Writes the exact bytes the window sends after loading FILE and pressing\n"
             "Send to Brewer. A damaged FILE is refused unless --force is given. Each\n"
             "value of FILE that goes out replaced (out of its field's range) is named\n"
             "on standard error, as show names it: \"Pump working speed: the file\n"
             "holds 5; 100 is sent\"; --quiet silences these lines."),
         .options = {File, Hex, Force},
         .file = FilePlace::FirstOperand,
         .run = frameCommand},
        {.name = "send",
         .syntax =
             "send [FILE] --port DEVICE [--force] [--read | --verify] [--timeout SECONDS] [--json]",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Sends that frame at 9600 baud, 8N1, and returns when every byte has left\n"
             "the port; with --read it then waits for the brewer's answer. With --verify\n"
             "it compares that answer with what was sent: each setting the brewer holds\n"
             "otherwise is printed, name: sent X, brewer Y, and the status is 1 when\n"
             "any is, or no good record came. The values of FILE that Send replaces\n"
             "(out of their range) are named on standard error, as frame names them."),
         .options = {File, Port, Force, Read, Verify, Timeout, Json},
         .needsPort = true,
         .file = FilePlace::FirstOperand,
         .run = sendCommand},
        {.name = "read",
         .syntax = "read --port DEVICE [--timeout SECONDS] [--json]",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Waits up to SECONDS for the brewer's 39-byte record and prints what Read\n"
             "from Brewer shows. Bytes that arrived before the port opened count too."),
         .options = {Port, Timeout, Json},
         .needsPort = true,
         .run = readCommand},
        {.name = "ports",
         .syntax = "ports [--json]",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Prints the serial ports this computer has, one a line: the device, what the\n"
             "system says it is and who made it, and its lasting name under\n"
             "/dev/serial/by-id where it has one, separated by tabs."),
         .options = {Json},
         .run = portsCommand},
        {.name = "list",
         .syntax = "list",
         .description = QT_TRANSLATE_NOOP(
             "Commands",
             "Prints every setting's name, what it takes and what it means, one a line,\n"
             "then the names that read adds."),
         .run = listCommand},
        {.name = "help",
         .syntax = "help [COMMAND]",
         .description =
             QT_TRANSLATE_NOOP("Commands", "Prints the help of COMMAND, or this overview."),
         .maxOperands = 1,
         .run = helpCommand},
    };
    return table;
}

const Command *findCommand(QStringView name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString usage(const Command *command)
{
    if (!command) {
        QString text = Words::tr("Usage: peln-cli COMMAND ...\n\nThe brewer's settings file "
                                 "and the brewer from a terminal.\n\nCommands:\n");
        for (const Command &each : commands())
            text += QStringLiteral("  %1\n").arg(QLatin1String(each.syntax));
        return text +
               Words::tr("\npeln-cli help COMMAND says more; --version prints the version, "
                         "-q or --quiet\nsilences the progress lines on standard error.\n\n") +
               statusesText() + fileNote();
    }
    QString text = Words::tr("Usage: peln-cli %1\n\n%2\n")
                       .arg(QLatin1String(command->syntax), Words::tr(command->description));
    if (command->listsNames)
        text += namesTable();
    if (!command->options.isEmpty())
        text += Words::tr("\nOptions:\n");
    for (const CommandOption &option : command->options) {
        const QString name =
            QStringLiteral("%1--%2%3")
                .arg(option.shortName ? QStringLiteral("-%1, ").arg(QLatin1Char(option.shortName))
                                      : QString(),
                     QLatin1String(option.name),
                     option.valueName ? u' ' + QLatin1String(option.valueName) : QString());
        text += QStringLiteral("  %1 %2\n").arg(name, -18).arg(Words::tr(option.description));
    }
    if (command->file != FilePlace::None)
        text += fileNote();
    return text;
}

Status helpCommand(const Invocation &invocation)
{
    const QString name = invocation.operands.value(0);
    const Command *command = name.isEmpty() ? nullptr : findCommand(name);
    if (!name.isEmpty() && !command)
        return failed(Words::tr("\"%1\" is not a command; see peln-cli --help.").arg(name));
    out() << usage(command);
    return Status::Done;
}
