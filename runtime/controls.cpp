#include "controls.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <limits>

namespace rt {

void setForeColor(QWidget *control, unsigned bgr)
{
    QPalette palette = control->palette();
    palette.setColor(control->foregroundRole(), QColor::fromRgb(bgrToRgb(bgr)));
    control->setPalette(palette);
}

void setBackColor(QWidget *control, unsigned bgr)
{
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), QColor::fromRgb(bgrToRgb(bgr)));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void setMousePointer(QWidget *control, int pointer)
{
    if (pointer == CrossPointer)
        control->setCursor(Qt::CrossCursor);
    else
        control->unsetCursor();
}

void applyKindDefaults(QWidget *form)
{
    // One surface: the form and its labels share the button-face colour.
    form->setBackgroundRole(QPalette::Button);
    form->setAutoFillBackground(true);

    for (QWidget *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (auto *label = qobject_cast<QLabel *>(child)) {
            label->setBackgroundRole(QPalette::Button);
            label->setForegroundRole(QPalette::ButtonText);
            label->setAutoFillBackground(true);
            label->setTextFormat(Qt::PlainText);
            label->setFocusPolicy(Qt::NoFocus);
            label->setAttribute(Qt::WA_NoMousePropagation);
        } else if (auto *edit = qobject_cast<QLineEdit *>(child)) {
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setAttribute(Qt::WA_NoMousePropagation);
        } else if (qobject_cast<QAbstractButton *>(child)) {
            child->setAttribute(Qt::WA_NoMousePropagation);
        } else if (auto *line = qobject_cast<QFrame *>(child)) {
            // A drawn line: painted, never hit by the mouse or given the focus.
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            line->setFocusPolicy(Qt::NoFocus);
        }
    }
}

} // namespace rt
