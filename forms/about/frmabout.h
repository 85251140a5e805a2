#pragma once

#include "form.h"

#include <memory>

namespace Ui {
class frmAbout;
}
namespace registry {
class Registry;
}

// The About dialog: title, version, audience and disclaimer, and the button that starts the
// system-information tool, which it looks up in the given registry.
class frmAbout : public rt::Form
{
    Q_OBJECT

public:
    explicit frmAbout(registry::Registry &registry, QObject *parent = nullptr);
    ~frmAbout() override;

    void StartSysInfo();

protected:
    void build(rt::FormWindow *window) override;
    void load() override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    std::unique_ptr<Ui::frmAbout> ui;
    registry::Registry &m_registry;
};
