// A simulated brewer controller on a pseudo-terminal, for trying the program
// without a brewer: type the device path it prints into the port box.

#include "BrewerSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brewer-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated brewer controller on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption portFile(QStringLiteral("port-file"),
                                      QStringLiteral("Also write the device path to <file>."),
                                      QStringLiteral("file"));
    const QCommandLineOption framesFile(
        QStringLiteral("frames"),
        QStringLiteral("Also append every good frame taken to <file>, one to a line, as it "
                       "arrived."),
        QStringLiteral("file"));
    parser.addOptions({portFile, framesFile});
    parser.process(app);

    QTextStream out(stdout);
    BrewerSimulator brewer(out);
    if (!brewer.start()) {
        QTextStream(stderr) << "Cannot open a pseudo-terminal: " << brewer.errorString()
                            << Qt::endl;
        return 1;
    }
    out << "Simulated brewer ready. Type this into the port box and press Connect: "
        << brewer.devicePath() << Qt::endl
        << BrewerSimulator::helpText() << Qt::endl;
    if (parser.isSet(portFile)) {
        QFile file(parser.value(portFile));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(brewer.devicePath().toLocal8Bit() + '\n') < 0) {
            QTextStream(stderr) << "Cannot write " << file.fileName() << ": " << file.errorString()
                                << Qt::endl;
            return 1;
        }
    }

    QFile frames(parser.value(framesFile));
    if (parser.isSet(framesFile)) {
        if (!frames.open(QIODevice::WriteOnly | QIODevice::Append)) {
            QTextStream(stderr) << "Cannot write " << frames.fileName() << ": "
                                << frames.errorString() << Qt::endl;
            return 1;
        }
        QObject::connect(&brewer, &BrewerSimulator::frameTaken, &app,
                         [&frames](const QByteArray &frame) {
                             frames.write(frame + '\n');
                             frames.flush();
                         });
    }

    // Commands arrive line by line on standard input; at its end the
    // simulator keeps answering frames until it is stopped.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray typed;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        typed.append(buffer, n);
        qsizetype end;
        while ((end = typed.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(typed.left(end));
            typed.remove(0, end + 1);
            if (!brewer.command(line)) {
                QCoreApplication::quit();
                return;
            }
        }
    });
    return app.exec();
}
