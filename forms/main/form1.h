#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form1;
}
namespace registry {
class Registry;
}
class frmAbout;

// The main window: both solvers, the About button and the home-page link. Its controls are
// reachable by their object names. The About dialog it opens looks the system-information tool
// up in the given registry.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(registry::Registry &registry, QWidget *parent = nullptr);
    ~Form1() override;

private:
    void applyFonts();
    void wireHandlers();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Load();
    void Form_MouseMove(int button, int shift, int x, int y);
    void Label17_Click();
    void Label17_MouseMove(int button, int shift, int x, int y);

    std::unique_ptr<Ui::Form1> ui;
    registry::Registry &m_registry;
    frmAbout *m_about = nullptr; // one object for the run, made on first use
};
