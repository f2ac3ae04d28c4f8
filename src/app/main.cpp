#include "Form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop finds the menu entry, and with it the icon, by this name;
    // the icon theme's copy is preferred, the built-in one is there anyway.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.peln.Peln"));
    QIcon builtIn;
    for (const int size : {48, 64, 128})
        builtIn.addFile(QStringLiteral(":/org.peln.Peln-%1.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.peln.Peln"), builtIn));
    Form1 window;
    window.show();
    return app.exec();
}
