#include "form1.h"
#include "registry.h"
#include "start.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::initialize();

    // The main window is the start-up form; the run ends when no window is left open.
    Form1 form(registry::systemRegistry());
    form.show();
    return QApplication::exec();
}
