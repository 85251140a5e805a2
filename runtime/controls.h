#pragma once

#include <QColor>

class QWidget;

namespace rt {

// Colours are stored as 0x00BBGGRR, red in the low byte.
constexpr QRgb bgrToRgb(unsigned bgr)
{
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

void setForeColor(QWidget *control, unsigned bgr);
void setBackColor(QWidget *control, unsigned bgr);

// Mouse pointer values of a form or control: the default, and the cross-hair the link shows.
inline constexpr int DefaultPointer = 0;
inline constexpr int CrossPointer = 2;
void setMousePointer(QWidget *control, int pointer);

// The defaults of each control kind on a form: labels opaque in the button-face colour, text
// boxes without a length limit, push buttons that Enter presses while they have the focus,
// lines that catch no mouse;
// mouse moves over a control never reach the form beneath; the form itself in button-face.
void applyKindDefaults(QWidget *form);

} // namespace rt
