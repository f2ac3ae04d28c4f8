// Shows the main window at each client size given on the command line
// ("969x700 1938x700 ...") and saves a screenshot of each as form-WxH.png in
// the output directory (first argument). Run it under a display, real or
// virtual; scripts/screenshots.sh does that with Xvfb.
#include "Form1.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: form-shot OUTPUT-DIR [WIDTHxHEIGHT ...]\n";
        return 2;
    }
    const QDir outDir(args.takeFirst());
    if (args.isEmpty())
        args << QStringLiteral("969x700");

    Form1 window;
    window.show();
    const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    for (const QString &arg : args) {
        const auto match = sizePattern.match(arg);
        if (!match.hasMatch()) {
            QTextStream(stderr) << "not a size: " << arg << '\n';
            return 2;
        }
        window.resize(match.captured(1).toInt(), match.captured(2).toInt());
        // Let the window manager (if any) and the paint events settle.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        const QString file = outDir.filePath(QStringLiteral("form-%1.png").arg(arg));
        if (!window.grab().save(file)) {
            QTextStream(stderr) << "cannot write " << file << '\n';
            return 1;
        }
        QTextStream(stdout) << file << '\n';
    }
    return 0;
}
