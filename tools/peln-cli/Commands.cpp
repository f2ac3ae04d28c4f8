#include "Commands.h"

namespace {

const CommandOption Json{"json", nullptr, nullptr};
const CommandOption Hex{"hex", nullptr, nullptr};
const CommandOption Port{"port", "DEVICE", nullptr};
const CommandOption Timeout{"timeout", "SECONDS", "10"};

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {"show",
         "show [FILE] [--json]",
         "Prints the settings FILE holds as the window shows them after Load, one\n"
         "name=value a line, or one JSON object. FILE is \"PELN PROGRAM DATA.TXT\" in\n"
         "this folder unless given.",
         {Json},
         0,
         1,
         false,
         showCommand},
        {"diff",
         "diff FILE_A FILE_B",
         "Prints each setting that differs, as name: A -> B.",
         {},
         2,
         2,
         false,
         diffCommand},
        {"set",
         "set FILE name=value ...",
         "Changes settings as typing them into the window's fields would, then writes\n"
         "FILE as Save does, and says what each value became where it was replaced.\n"
         "A FILE that is not there yet is made as a window just started saves it.\n"
         "Names: logo, left.pulse1 ... left.pulse8, left.volume, the same for center.\n"
         "and right., left.count, center.count, right.count, center.disabled and\n"
         "right.disabled (yes or no), calibration, pump, drip.",
         {},
         2,
         Command::Unlimited,
         false,
         setCommand},
        {"frame",
         "frame [FILE] [--hex]",
         "Writes the exact bytes the window sends after loading FILE and pressing\n"
         "Send to Brewer; --hex prints them piece by piece.",
         {Hex},
         0,
         1,
         false,
         frameCommand},
        {"send",
         "send [FILE] --port DEVICE",
         "Sends that frame at 9600 baud, 8N1, and returns when every byte has left\n"
         "the port.",
         {Port},
         0,
         1,
         true,
         sendCommand},
        {"read",
         "read --port DEVICE [--timeout SECONDS] [--json]",
         "Waits up to SECONDS (10 unless given) for the brewer's 39-byte record and\n"
         "prints what Read from Brewer shows.",
         {Port, Timeout, Json},
         0,
         0,
         true,
         readCommand},
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
    if (command)
        return QStringLiteral("Usage: peln-cli %1\n\n%2\n")
            .arg(QLatin1String(command->syntax), QLatin1String(command->description));
    QString text = QStringLiteral("Usage: peln-cli COMMAND ...\n\nThe brewer's settings file and "
                                  "the brewer from a terminal.\n\nCommands:\n");
    for (const Command &each : commands())
        text += QStringLiteral("  %1\n").arg(QLatin1String(each.syntax));
    return text + QStringLiteral("\npeln-cli COMMAND --help says more; --version prints the "
                                 "version.\nExit status: 0 done; 1 files differ, a damaged or "
                                 "replaced value, no good\nrecord; 2 bad usage, a file or port "
                                 "that cannot be used, a refused frame.\n");
}
