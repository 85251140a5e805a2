#include "controls.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <limits>

namespace rt {
namespace {

// Enter presses the push button that has the focus, once per key press, without making it a
// default button of its window (a default button would also answer Enter typed in a text box).
class EnterPresses : public QObject
{
public:
    explicit EnterPresses(QPushButton *button) : QObject(button)
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (!key->isAutoRepeat())
            static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

} // namespace

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
        } else if (auto *button = qobject_cast<QPushButton *>(child)) {
            button->setAttribute(Qt::WA_NoMousePropagation);
            // In a dialog the focused button answers Enter by itself.
            if (!button->autoDefault() && !button->isDefault())
                new EnterPresses(button);
        } else if (auto *line = qobject_cast<QFrame *>(child)) {
            // A drawn line: painted, never hit by the mouse or given the focus.
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            line->setFocusPolicy(Qt::NoFocus);
        }
    }
}

} // namespace rt
