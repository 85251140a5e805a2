#pragma once

#include <QString>

namespace rt {

// The button and icon codes the program uses.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbCritical = 16,
};

enum MsgBoxResult : int {
    vbOK = 1,
};

// Modal message box over the active window. Without a title it shows the application title.
int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString());

} // namespace rt
