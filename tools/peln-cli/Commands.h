#pragma once

#include "SettingNames.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// What a command is run with: its operands, and the options given, by name,
// with their values ("" for an option that takes none).
struct Invocation
{
    QStringList operands;
    QMap<QString, QString> options;

    bool isSet(const QString &name) const { return options.contains(name); }
    QString value(const QString &name) const { return options.value(name); }
};

// An option of a command: "--name VALUE" or a plain "--name".
struct CommandOption
{
    const char *name;
    const char *valueName; // nullptr: the option takes no value
    const char *defaultValue;
    const char *description;
};

// One command of peln-cli, whole: how it is called, what it does, its
// options, how many operands it takes, whether it needs --port, and the
// function that runs it and returns its exit status. Every command also
// takes -h/--help and -q/--quiet.
struct Command
{
    const char *name;
    const char *syntax;
    const char *description;
    QList<CommandOption> options;
    int minOperands;
    int maxOperands; // Unlimited: any number
    bool needsPort;
    int (*run)(const Invocation &invocation);

    static constexpr int Unlimited = -1;
};

const QList<Command> &commands();
const Command *findCommand(QStringView name);

// The help of a command, or, for nullptr, the overview of them all with the
// exit statuses.
QString usage(const Command *command);

// The commands themselves.
int showCommand(const Invocation &invocation);
int getCommand(const Invocation &invocation);
int diffCommand(const Invocation &invocation);
int setCommand(const Invocation &invocation);
int frameCommand(const Invocation &invocation);
int listCommand(const Invocation &invocation);
int sendCommand(const Invocation &invocation);
int readCommand(const Invocation &invocation);
int helpCommand(const Invocation &invocation);

// Shared by the commands: the FILE operand, or the file the window uses;
// the frame to send for a file (nothing after saying why, or for a damaged
// file unless forced); settings by name, one name=value a line or one JSON
// object; and the list of names as `list` prints it.
QString fileOperand(const Invocation &invocation);
std::optional<QByteArray> frameOfFile(const QString &path, bool force);
void printValues(const NamedValues &values, bool json);
QString namesTable();
