#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>

namespace rt {

class Form;

// The top-level window of a loaded form. Esc presses its cancel button; closing it through the
// window frame unloads the form.
class FormWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FormWindow(Form *form);

    void setCancelButton(QAbstractButton *button) { m_cancel = button; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    Form *m_form;
    QPointer<QAbstractButton> m_cancel;
};

// A form with a single instance for the whole run. The object lives on; its window and
// controls exist from load to unload. Show loads the form when needed (building its controls,
// then running its Load event), then shows and activates it: modeless and without an owner.
class Form : public QObject
{
    Q_OBJECT

public:
    ~Form() override;

    void Show();
    void Unload();

    FormWindow *window() const { return m_window; }

signals:
    void unloaded();

protected:
    explicit Form(QObject *parent = nullptr);

    // Builds the controls on a new window and wires their events.
    virtual void build(FormWindow *window) = 0;
    // Runs the form's Load event; the window is not visible yet.
    virtual void load() {}

private:
    QPointer<FormWindow> m_window;
};

} // namespace rt
