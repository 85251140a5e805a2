// The floor for a window that shows Chinese in a Song and a Kai face: a bare Qt window with one
// label in each AR PL face, fallback off, ending at its first settled paint.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, const QString &face, int pixels, QWidget *window)
{
    auto *label = new QLabel(text, window);
    QFont font(face);
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoFontMerging);
    label->setFont(font);
    window->layout()->addWidget(label);
    return label;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    new QVBoxLayout(&window);
    label(QStringLiteral("坐标1"), QStringLiteral("AR PL UMing CN"), 16, &window);
    label(QStringLiteral("二次函数Quadrimo"), QStringLiteral("AR PL UKai CN"), 21, &window);
    new FirstPaint(&window);
    window.show();
    return QApplication::exec();
}
