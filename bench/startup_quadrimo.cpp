// Quadrimo's start-up, as app/main.cpp does it, ending at the first settled paint.
#include "firstpaint.h"
#include "form1.h"
#include "registry.h"
#include "start.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::initialize();
    Form1 form(registry::systemRegistry());
    new FirstPaint(&form);
    form.show();
    return QApplication::exec();
}
