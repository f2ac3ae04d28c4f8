#include "Commands.h"

#include "SettingsFileOperations.h"
#include "Terminal.h"

namespace {

const CommandOption Json{"json", nullptr, nullptr, "print one JSON object"};
const CommandOption Hex{"hex", nullptr, nullptr, "print the bytes piece by piece in hexadecimal"};
const CommandOption Force{"force", nullptr, nullptr,
                          "use a damaged file as the window would after Load"};
const CommandOption Port{"port", "DEVICE", nullptr,
                         "the serial port: COM1 to COM16 as the window maps them, or a device"};
const CommandOption Timeout{"timeout", "SECONDS", "10",
                            "how long to wait for the brewer's record (10 unless given)"};
const CommandOption Read{"read", nullptr, nullptr,
                         "keep the port open and print the brewer's answer as read does"};
const CommandOption Verify{"verify", nullptr, nullptr,
                           "wait for the brewer's answer and print each setting it holds\n"
                           "                     otherwise than it was sent"};

QString fileNote()
{
    return QStringLiteral("\nWithout FILE, the settings file that the window installed with this\n"
                          "program uses:\n"
                          "  %1\n")
        .arg(defaultSettingsFilePath());
}

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {"show",
         "show [FILE] [--json]",
         "Prints the settings FILE holds as the window shows them after Load, one\n"
         "name=value a line, or one JSON object that set takes back. Missing or\n"
         "damaged values are named on standard error.",
         {Json},
         0,
         1,
         false,
         showCommand},
        {"get",
         "get [FILE] NAME...",
         "Prints the values of the settings named, one a line, in that order.",
         {},
         1,
         Command::Unlimited,
         false,
         getCommand},
        {"diff",
         "diff FILE_A FILE_B",
         "Prints each setting that differs, as name: A -> B.",
         {},
         2,
         2,
         false,
         diffCommand},
        {"set",
         "set [--force] [FILE] NAME=VALUE...",
         "Changes settings as typing them into the window's fields would, then writes\n"
         "FILE as Save does, and says what each value became where it was replaced.\n"
         "A FILE that is not there yet is made as a window just started saves it; a\n"
         "damaged one is left alone unless --force is given. Commands that change the\n"
         "same FILE at once run one after another: each holds a lock on it (on its\n"
         "folder while it does not exist) from reading it to writing it. The names,\n"
         "what they take and what they mean (the Disable settings take yes or no,\n"
         "true or false, 1 or 0):",
         {Force},
         1,
         Command::Unlimited,
         false,
         setCommand},
        {"frame",
         "frame [FILE] [--hex] [--force]",
         "Writes the exact bytes the window sends after loading FILE and pressing\n"
         "Send to Brewer. A damaged FILE is refused unless --force is given. Each\n"
         "value of FILE that goes out replaced (out of its field's range) is named\n"
         "on standard error, as show names it: \"Pump working speed: the file\n"
         "holds 5; 100 is sent\"; --quiet silences these lines.",
         {Hex, Force},
         0,
         1,
         false,
         frameCommand},
        {"send",
         "send [FILE] --port DEVICE [--force] [--read | --verify] [--timeout SECONDS] [--json]",
         "Sends that frame at 9600 baud, 8N1, and returns when every byte has left\n"
         "the port; with --read it then waits for the brewer's answer. With --verify\n"
         "it compares that answer with what was sent: each setting the brewer holds\n"
         "otherwise is printed, name: sent X, brewer Y, and the status is 1 when\n"
         "any is, or no good record came. The values of FILE that Send replaces\n"
         "(out of their range) are named on standard error, as frame names them.",
         {Port, Force, Read, Verify, Timeout, Json},
         0,
         1,
         true,
         sendCommand},
        {"read",
         "read --port DEVICE [--timeout SECONDS] [--json]",
         "Waits up to SECONDS for the brewer's 39-byte record and prints what Read\n"
         "from Brewer shows. Bytes that arrived before the port opened count too.",
         {Port, Timeout, Json},
         0,
         0,
         true,
         readCommand},
        {"list",
         "list",
         "Prints every setting's name, what it takes and what it means, one a line,\n"
         "then the names that read adds.",
         {},
         0,
         0,
         false,
         listCommand},
        {"help",
         "help [COMMAND]",
         "Prints the help of COMMAND, or this overview.",
         {},
         0,
         1,
         false,
         helpCommand},
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
        QString text = QStringLiteral("Usage: peln-cli COMMAND ...\n\nThe brewer's settings file "
                                      "and the brewer from a terminal.\n\nCommands:\n");
        for (const Command &each : commands())
            text += QStringLiteral("  %1\n").arg(QLatin1String(each.syntax));
        return text +
               QStringLiteral("\npeln-cli help COMMAND says more; --version prints the version, "
                              "-q or --quiet\nsilences the progress lines on standard error.\n"
                              "Exit status: 0 done; 1 the files differ, a value was missing, "
                              "damaged or\nreplaced, or no good record came; 2 bad usage, a file "
                              "or port that cannot\nbe used, a damaged file or a frame refused, or "
                              "standard output that failed.\n") +
               fileNote();
    }
    QString text = QStringLiteral("Usage: peln-cli %1\n\n%2\n")
                       .arg(QLatin1String(command->syntax), QLatin1String(command->description));
    if (command->run == setCommand)
        text += namesTable();
    if (!command->options.isEmpty())
        text += QStringLiteral("\nOptions:\n");
    for (const CommandOption &option : command->options) {
        const QString name = QStringLiteral("--%1%2").arg(
            QLatin1String(option.name),
            option.valueName ? u' ' + QLatin1String(option.valueName) : QString());
        text += QStringLiteral("  %1 %2\n").arg(name, -18).arg(QLatin1String(option.description));
    }
    if (QString(QLatin1String(command->syntax)).contains(u"[FILE]"))
        text += fileNote();
    return text;
}

int helpCommand(const Invocation &invocation)
{
    const QString name = invocation.operands.value(0);
    const Command *command = name.isEmpty() ? nullptr : findCommand(name);
    if (!name.isEmpty() && !command)
        return failed(QStringLiteral("\"%1\" is not a command; see peln-cli --help.").arg(name));
    out() << usage(command);
    return Done;
}
