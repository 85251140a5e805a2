#include "controlevents.h"

#include "twips.h"

#include <QMouseEvent>
#include <QWidget>

namespace rt {
namespace {

int buttonState(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

ControlEvents::ControlEvents(QWidget *control) : QObject(control), m_control(control)
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

ControlEvents *ControlEvents::of(QWidget *control)
{
    if (auto *existing = control->findChild<ControlEvents *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new ControlEvents(control);
}

bool ControlEvents::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto *me = static_cast<QMouseEvent *>(event);
        const QPoint p = me->position().toPoint();
        emit mouseMove(buttonState(me->buttons()), shiftState(me->modifiers()),
                       pixelsToTwips(p.x()), pixelsToTwips(p.y()));
        break;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_pressed = true;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && m_pressed) {
            m_pressed = false;
            if (m_control->rect().contains(me->position().toPoint()))
                emit click();
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace rt
