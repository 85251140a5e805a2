#include "dispatcher.h"

#include "messagebox.h"
#include "runtimeerror.h"
#include "text.h"

namespace rt {

void dispatch(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        reportUntrapped(error);
    }
}

void reportUntrapped(const RuntimeError &error)
{
    const QString text = QStringLiteral("运行时错误 '%1':\n\n%2")
                             .arg(error.number())
                             .arg(toQString(error.description()));
    MsgBox(text, vbCritical);
}

} // namespace rt
