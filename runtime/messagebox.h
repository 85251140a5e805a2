#pragma once

#include <QString>

namespace rt {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbYes = 6,
    vbNo = 7,
};

// Modal message box over the active window. Without a title it shows the application title.
int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString());

} // namespace rt
