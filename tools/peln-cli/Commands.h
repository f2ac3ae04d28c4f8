#pragma once

#include "SettingNames.h"
#include "Terminal.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// What a command is run with: its settings file, its other operands, and
// the options given, by name, with their values ("" for an option that takes
// none).
struct Invocation
{
    QString file;         // the settings file, given or the window's
    QStringList operands; // the operands besides FILE
    QMap<QString, QString> options;

    bool isSet(const QString &name) const { return options.contains(name); }
    QString value(const QString &name) const { return options.value(name); }
};

// An option of a command: "--name VALUE" or a plain "--name", and "-x" for
// one with a short name too.
struct CommandOption
{
    const char *name;
    const char *valueName = nullptr; // nullptr: the option takes no value
    const char *defaultValue = nullptr;
    const char *description = "";
    char shortName = 0; // 0: none
};

// Where a command takes the settings file it works on. It may always be
// given as -f FILE or --file FILE; the file the window uses when it is not.
enum class FilePlace {
    None,              // the command works on no settings file
    OptionOnly,        // only with -f/--file: every operand is a setting's name
    FirstOperand,      // or as the first operand, "[FILE]", the command's only one
    BeforeAssignments, // or as a first operand without "=": NAME=VALUE is never a file
};

// One command of peln-cli, whole: how it is called, what it does, its
// options, how many operands it takes besides FILE, whether it needs --port,
// where it takes FILE, whether its help lists the settings' names, and the
// function that runs it. Every command also takes -h/--help and -q/--quiet.
struct Command
{
    static constexpr int Unlimited = -1;

    const char *name;
    const char *syntax;
    const char *description;
    QList<CommandOption> options = {};
    int minOperands = 0;
    int maxOperands = 0; // Unlimited: any number
    bool needsPort = false;
    FilePlace file = FilePlace::None;
    bool listsNames = false;
    Status (*run)(const Invocation &invocation) = nullptr;
};

const QList<Command> &commands();
const Command *findCommand(QStringView name);

// The help of a command, or, for nullptr, the overview of them all with the
// exit statuses.
QString usage(const Command *command);

// The commands themselves.
Status showCommand(const Invocation &invocation);
Status getCommand(const Invocation &invocation);
Status diffCommand(const Invocation &invocation);
Status setCommand(const Invocation &invocation);
Status frameCommand(const Invocation &invocation);
Status listCommand(const Invocation &invocation);
Status sendCommand(const Invocation &invocation);
Status readCommand(const Invocation &invocation);
Status portsCommand(const Invocation &invocation);
Status helpCommand(const Invocation &invocation);

// Shared by the commands: the frame to send for a file (nothing after
// saying why, with the status to end with); settings by name, one name=value
// a line or one JSON object; and the list of names as `list` prints it.
std::optional<QByteArray> frameOfFile(const QString &path, bool force, Status *status);
void printValues(const operations::NamedValues &values, bool json);
QString namesTable();
