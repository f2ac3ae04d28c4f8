// The toolkit's own cost: an empty widget window of the same size.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(969, 700);
    FirstPaint probe(&window);
    window.show();
    return app.exec();
}
