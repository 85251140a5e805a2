#pragma once

#include <QObject>

class QWidget;

namespace rt {

// The mouse events of one control as its handlers receive them: Click (left button pressed and
// released over the control) and MouseMove with the button state (1 left, 2 right, 4 middle),
// the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in twips.
class ControlEvents : public QObject
{
    Q_OBJECT

public:
    // The one event source of a control, made on first use.
    static ControlEvents *of(QWidget *control);

signals:
    void click();
    void mouseMove(int button, int shift, int x, int y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ControlEvents(QWidget *control);

    QWidget *m_control;
    bool m_pressed = false;
};

} // namespace rt
