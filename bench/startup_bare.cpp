// The yardstick: a bare Qt window with one label, ending at its first settled paint.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    new FirstPaint(&label);
    label.show();
    return QApplication::exec();
}
