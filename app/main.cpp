#include "forms/main/form1.h"
#include "runtime/start.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::initialize();

    // The main window is the start-up form; the run ends when no window is left open.
    Form1 form;
    form.show();
    return QApplication::exec();
}
