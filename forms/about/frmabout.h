#pragma once

#include "runtime/form.h"

#include <memory>

namespace Ui {
class frmAbout;
}
namespace registry {
class Registry;
}

// The About dialog: title, version, audience and disclaimer, and the button that starts the
// system-information tool. One object for the run, created on first use.
class frmAbout : public rt::Form
{
    Q_OBJECT

public:
    ~frmAbout() override;

    static frmAbout *defaultInstance();
    // Null until the first "About".
    static frmAbout *existingInstance();

    // Where the system-information tool is looked up; the platform's registry unless set.
    void setRegistry(registry::Registry *registry) { m_registry = registry; }

    void StartSysInfo();

protected:
    void build(rt::FormWindow *window) override;
    void load() override;

private:
    explicit frmAbout(QObject *parent);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    std::unique_ptr<Ui::frmAbout> ui;
    registry::Registry *m_registry;
};
