#include "Form1.h"
#include "Translation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    operations::installTranslation(app);
    // The desktop finds the menu entry, and with it the icon, by this name;
    // the icon theme's copy is preferred, the built-in one is there anyway.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.peln.Peln"));
    QIcon builtIn;
    for (const int size : {48, 64, 128})
        builtIn.addFile(QStringLiteral(":/org.peln.Peln-%1.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.peln.Peln"), builtIn));
    // peln [FILE]: the window opens FILE as Open does.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Prepares a coffee brewer's settings."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate("main", "A settings file to open at start."),
        QStringLiteral("[FILE]"));
    parser.process(app);
    Form1 window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        window.openFile(QFileInfo(files.first()).absoluteFilePath());
    return app.exec();
}
