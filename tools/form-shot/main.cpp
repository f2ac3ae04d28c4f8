// Shows the main window and saves a screenshot of it for each size of its
// design area given on the command line ("969x700 1938x700 ...": the window
// is that and the status line below it) as form-WxH.png in the output
// directory (first argument); "opened" takes it at the size it opened at on
// the screen, as form-opened-on-WxH.png for a W x H screen. An argument
// NAME=TEXT types TEXT into the box named NAME ("Text19=5") before the shots
// that follow it. With a scale factor other than 1 the names end in "@1.5x"
// and so on. The LCD boxes hold a logo and a banner, so that their type
// shows. Run it under a display, real or virtual; scripts/screenshots.sh
// does that with Xvfb.
#include "Form1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
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
        QTextStream(stderr) << "usage: form-shot OUTPUT-DIR [WIDTHxHEIGHT | opened ...]\n";
        return 2;
    }
    const QDir outDir(args.takeFirst());
    if (args.isEmpty())
        args << QStringLiteral("969x700");

    Form1 window;
    window.findChild<QLineEdit *>(QStringLiteral("Textsend"))->setText(QStringLiteral("Hg jpq 42"));
    window.findChild<QLineEdit *>(QStringLiteral("textreceive"))
        ->setText(QStringLiteral("    Logo Set    "));
    window.show();
    const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    for (const QString &arg : args) {
        const auto match = sizePattern.match(arg);
        QString name;
        if (auto *box = window.findChild<QLineEdit *>(arg.section(u'=', 0, 0));
            box && arg.contains(u'=')) {
            box->setFocus();
            box->selectAll();
            box->insert(arg.section(u'=', 1));
            continue;
        }
        if (arg == QLatin1String("opened")) {
            const QSize screen = window.screen()->size();
            name = QStringLiteral("opened-on-%1x%2").arg(screen.width()).arg(screen.height());
        } else if (match.hasMatch()) {
            window.resize(window.sizeForDesignArea(
                QSize(match.captured(1).toInt(), match.captured(2).toInt())));
            name = arg;
        } else {
            QTextStream(stderr) << "not a size: " << arg << '\n';
            return 2;
        }
        // Let the window manager (if any) and the paint events settle.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        if (window.devicePixelRatio() != 1)
            name += QStringLiteral("@%1x").arg(window.devicePixelRatio());
        const QString file = outDir.filePath(QStringLiteral("form-%1.png").arg(name));
        if (!window.grab().save(file)) {
            QTextStream(stderr) << "cannot write " << file << '\n';
            return 1;
        }
        QTextStream(stdout) << file << '\n';
    }
    return 0;
}
