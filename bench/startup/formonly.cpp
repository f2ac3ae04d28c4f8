// The controls' own cost: the compiled form alone, with no behaviour.
#include "FirstPaint.h"
#include "ui_Form1.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    Ui::Form1 ui;
    ui.setupUi(&window);
    FirstPaint probe(&window);
    window.show();
    return app.exec();
}
