// peln-cli: the settings file and the brewer from a terminal. Every rule it
// applies is the window's own: the same operations of the core. The
// commands, their options and the exit statuses are in Commands.h and
// Terminal.h.
#include "Commands.h"
#include "SettingsFileOperations.h"
#include "Terminal.h"
#include "Translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(PelnCli)
};

} // namespace

#ifdef Q_OS_WIN
#include <QScopeGuard>

#include <qt_windows.h>

#endif

using namespace operations;

namespace {

// The arguments as text. File names are used as the bytes given, so an
// argument that text cannot carry back to the same bytes (a name that is not
// valid in the system's encoding) is refused rather than changed. Windows
// hands every program its arguments as text in the first place.
std::optional<QStringList> argumentsOf(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString text = QFile::decodeName(raw);
        if (QFile::encodeName(text) != raw) {
            failed(Words::tr("argument %1, \"%2\", is not valid text in this system's "
                             "encoding; give the file another name. Nothing was done.")
                       .arg(i)
                       .arg(QString::fromLatin1(raw.toPercentEncoding("/ .,=-_+"))));
            return std::nullopt;
        }
        arguments << text;
    }
    return arguments;
#endif
}

// The options of a command as the parser takes them, --help and --quiet
// among them.
QList<QCommandLineOption> parserOptions(const Command &command,
                                        const QList<QCommandLineOption> &common)
{
    QList<QCommandLineOption> options = common;
    for (const CommandOption &option : command.options) {
        QStringList names{QLatin1String(option.name)};
        if (option.shortName)
            names.prepend(QString(QLatin1Char(option.shortName)));
        if (!option.valueName)
            options.append(QCommandLineOption(names));
        else
            options.append(QCommandLineOption(names, QString(), QLatin1String(option.valueName),
                                              QLatin1String(option.defaultValue)));
    }
    return options;
}

// Takes the settings file out of the operands where the command takes it
// there; every other operand stays one. Nothing, after saying why, when a
// FILE is given twice.
std::optional<QString> fileOf(const Command &command, const QCommandLineParser &parser,
                              QStringList &operands)
{
    const bool named = parser.isSet(QStringLiteral("file"));
    QString file = named ? parser.value(QStringLiteral("file")) : defaultSettingsFilePath();
    const bool first =
        !operands.isEmpty() &&
        (command.file == FilePlace::FirstOperand ||
         (command.file == FilePlace::BeforeAssignments && !operands.first().contains(u'=')));
    if (first && named) {
        failed(Words::tr("FILE is given twice, as %1 and with --file; see peln-cli help %2.")
                   .arg(operands.first(), QLatin1String(command.name)));
        return std::nullopt;
    }
    if (first)
        file = operands.takeFirst();
    return file;
}

Status run(const QStringList &arguments)
{

    QCommandLineParser top;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    top.addOptions({help, quiet, version});
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!top.parse(arguments))
        return failed(top.errorText().chopped(1) + Words::tr("; see peln-cli --help."));
    const QStringList args = top.positionalArguments();
    const QString name = args.value(0);
    if (top.isSet(version)) {
        out() << "peln-cli " << QCoreApplication::applicationVersion() << '\n';
        return Status::Done;
    }
    const Command *command = findCommand(name);
    if (top.isSet(help)) { // peln-cli --help [COMMAND]
        if (!name.isEmpty() && !command)
            return failed(Words::tr("\"%1\" is not a command; see peln-cli --help.").arg(name));
        out() << usage(command);
        return Status::Done;
    }
    if (!command)
        return failed((name.isEmpty() ? Words::tr("a command is needed")
                                      : Words::tr("\"%1\" is not a command").arg(name)) +
                      Words::tr("; see peln-cli --help."));

    QCommandLineParser parser;
    parser.addOptions(parserOptions(*command, {help, quiet}));
    if (!parser.parse(QStringList{arguments.first()} + args.mid(1)))
        return failed(parser.errorText().chopped(1) +
                      Words::tr("; see peln-cli help %1.").arg(name));
    if (parser.isSet(help)) {
        out() << usage(command);
        return Status::Done;
    }
    setQuiet(top.isSet(quiet) || parser.isSet(quiet));

    Invocation invocation;
    invocation.operands = parser.positionalArguments();
    if (command->file != FilePlace::None) {
        const auto file = fileOf(*command, parser, invocation.operands);
        if (!file)
            return Status::Failed;
        invocation.file = *file;
    }
    const qsizetype operands = invocation.operands.size();
    if (operands < command->minOperands ||
        (command->maxOperands != Command::Unlimited && operands > command->maxOperands))
        return failed(Words::tr("usage: peln-cli %1").arg(QLatin1String(command->syntax)));
    for (const CommandOption &option : command->options) {
        const QString optionName = QLatin1String(option.name);
        if (parser.isSet(optionName) || option.defaultValue)
            invocation.options.insert(optionName, parser.value(optionName));
    }
    if (command->needsPort && invocation.value(QStringLiteral("port")).isEmpty())
        return failed(Words::tr("--port DEVICE is needed; see peln-cli help %1.").arg(name));
    return command->run(invocation);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    installTranslation(app);
#ifdef Q_OS_WIN
    // Everything is written as UTF-8: a console shows it as such while the
    // program runs, and gets its own code page back afterwards.
    const UINT consolePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    const auto restore = qScopeGuard([consolePage] { SetConsoleOutputCP(consolePage); });
#endif
    QCoreApplication::setApplicationName(QStringLiteral("peln-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELN_VERSION));
    const auto arguments = argumentsOf(argc, argv);
    const Status status = arguments ? run(*arguments) : Status::Failed;
    // Output that did not reach its reader is a failure, whatever the command did.
    if (const QString failure = outputFailure(); !failure.isEmpty())
        return int(failed(Words::tr("write error: %1").arg(failure)));
    return int(status);
}
