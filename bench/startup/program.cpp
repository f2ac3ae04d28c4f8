// The program as it starts for a technician: main() with the whole window.
#include "FirstPaint.h"
#include "Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Form1 window;
    FirstPaint probe(&window);
    window.show();
    return app.exec();
}
