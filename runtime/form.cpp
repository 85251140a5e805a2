#include "form.h"

#include <QAbstractButton>
#include <QCloseEvent>

namespace rt {

FormWindow::FormWindow(Form *form) : QDialog(nullptr), m_form(form)
{
    setAttribute(Qt::WA_QuitOnClose);
}

void FormWindow::reject()
{
    if (m_cancel && m_cancel->isVisible() && m_cancel->isEnabled())
        m_cancel->click();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_form->window() == this)
        m_form->Unload();
}

Form::Form(QObject *parent) : QObject(parent) {}

Form::~Form()
{
    delete m_window;
}

void Form::Show()
{
    if (!m_window) {
        m_window = new FormWindow(this);
        build(m_window);
        load();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void Form::Unload()
{
    if (!m_window)
        return;
    FormWindow *window = m_window;
    m_window = nullptr;
    // Closing lets the application end when this was its last window. The window may be in the
    // middle of delivering the event that unloads it, so it goes once that is done.
    window->close();
    window->deleteLater();
    emit unloaded();
}

} // namespace rt
