#include "messagebox.h"

#include "appinfo.h"
#include "text.h"

#include <QApplication>
#include <QMessageBox>

namespace rt {

int MsgBox(const QString &prompt, int buttons, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? toQString(App.Title) : title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    if ((buttons & 0x70) == vbCritical)
        box.setIcon(QMessageBox::Critical);
    box.exec();
    return vbOK;
}

} // namespace rt
