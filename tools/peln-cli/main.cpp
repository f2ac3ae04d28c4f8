// peln-cli: the settings file and the brewer from a terminal. Every rule it
// applies is the window's own: the same operations of the core. The
// commands, their options and the exit statuses are in Commands.h.
#include "Commands.h"
#include "Terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The options of a command as the parser takes them, --help among them.
QList<QCommandLineOption> parserOptions(const Command &command, const QCommandLineOption &help)
{
    QList<QCommandLineOption> options{help};
    for (const CommandOption &option : command.options) {
        const QString name = QLatin1String(option.name);
        if (!option.valueName)
            options.append(QCommandLineOption(name));
        else
            options.append(QCommandLineOption(name, QString(), QLatin1String(option.valueName),
                                              QLatin1String(option.defaultValue)));
    }
    return options;
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
    if (top.isSet(version)) {
        out() << "peln-cli " << QCoreApplication::applicationVersion() << Qt::endl;
        return Done;
    }
    if (args.isEmpty() && top.isSet(help)) {
        out() << usage(nullptr);
        return Done;
    }
    const Command *command = findCommand(name);
    if (!command)
        return failed((name.isEmpty() ? QStringLiteral("a command is needed")
                                      : QStringLiteral("\"%1\" is not a command").arg(name)) +
                      QStringLiteral("; see peln-cli --help."));

    QCommandLineParser parser;
    parser.addOptions(parserOptions(*command, help));
    if (!parser.parse(QStringList{app.arguments().first()} + args.mid(1)))
        return failed(parser.errorText().chopped(1) +
                      QStringLiteral("; see peln-cli %1 --help.").arg(name));
    if (parser.isSet(help)) {
        out() << usage(command);
        return Done;
    }

    Invocation invocation{parser.positionalArguments(), {}};
    const qsizetype operands = invocation.operands.size();
    if (operands < command->minOperands ||
        (command->maxOperands != Command::Unlimited && operands > command->maxOperands))
        return failed(QStringLiteral("usage: peln-cli %1").arg(QLatin1String(command->syntax)));
    for (const CommandOption &option : command->options) {
        const QString optionName = QLatin1String(option.name);
        if (parser.isSet(optionName) || option.defaultValue)
            invocation.options.insert(optionName, parser.value(optionName));
    }
    if (command->needsPort && invocation.value(QStringLiteral("port")).isEmpty())
        return failed(QStringLiteral("--port DEVICE is needed; see peln-cli %1 --help.").arg(name));
    return command->run(invocation);
}
