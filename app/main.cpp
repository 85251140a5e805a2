#include "form1.h"
#include "registry.h"
#include "start.h"

#include <QApplication>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef _WIN32
    // Tells the installer and the uninstaller that Quadrimo is running: they look for this name.
    // It stops no second copy, and the handle stays open until the process ends.
    CreateMutexW(nullptr, FALSE, L"Global\\Quadrimo");
#endif
    QApplication app(argc, argv);
    rt::initialize();

    // The main window is the start-up form; the run ends when no window is left open.
    Form1 form(registry::systemRegistry());
    form.show();
    return QApplication::exec();
}
