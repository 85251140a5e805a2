#include "frmabout.h"

#include "appinfo.h"
#include "controls.h"
#include "dispatcher.h"
#include "filetest.h"
#include "getkeyvalue.h"
#include "maker.h"
#include "messagebox.h"
#include "runtimeerror.h"
#include "shell.h"
#include "text.h"
#include "twips.h"
#include "ui_frmabout.h"

#include <QApplication>
#include <QIcon>

namespace {

constexpr unsigned Black = 0x000000;
constexpr unsigned Grey = 0x808080;
constexpr unsigned White = 0xFFFFFF;

// Client area and its place on the screen, in twips.
constexpr int Left = 2340;
constexpr int Top = 1935;
constexpr int Width = 5730;
constexpr int Height = 3555;

constexpr char16_t Disclaimer[] =
    u"警告: 软件只用于研究学习，使用本软件造成的后果作者不予承担责任。传播请注明出处。";

} // namespace

frmAbout::frmAbout(registry::Registry &registry, QObject *parent)
    : rt::Form(parent), m_registry(registry)
{
    connect(this, &rt::Form::unloaded, this, [this] { ui.reset(); });
}

frmAbout::~frmAbout() = default;

void frmAbout::build(rt::FormWindow *window)
{
    ui = std::make_unique<Ui::frmAbout>();
    ui->setupUi(window);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setGeometry(rt::twipsToPixels(Left), rt::twipsToPixels(Top), rt::twipsToPixels(Width),
                        rt::twipsToPixels(Height));
    window->setFixedSize(rt::twipsToPixels(Width), rt::twipsToPixels(Height));
    rt::applyKindDefaults(window);

    for (QLabel *label : {ui->lblDescription, ui->lblTitle, ui->lblDisclaimer})
        rt::setForeColor(label, Black);
    rt::setBackColor(ui->Line1_1, Grey);
    rt::setBackColor(ui->Line1_0, White);
    QIcon icon(QStringLiteral(":/quadrimo/about-32.png"));
    icon.addFile(QStringLiteral(":/quadrimo/about-64.png"));
    ui->picIcon->setPicture(icon);
    ui->lblDisclaimer->setText(rt::toQString(Disclaimer) + QStringLiteral("  制作: ") +
                               rt::toQString(settings::Maker) + QStringLiteral("  联系: ") +
                               rt::toQString(settings::Contact));
    window->setCancelButton(ui->cmdOK);

    connect(ui->cmdOK, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { cmdOK_Click(); }); });
    connect(ui->cmdSysInfo, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { cmdSysInfo_Click(); }); });
    ui->cmdOK->setFocus(Qt::OtherFocusReason);
}

void frmAbout::load()
{
    rt::dispatch([this] { Form_Load(); });
}

void frmAbout::Form_Load()
{
    using rt::App;
    window()->setWindowTitle(QStringLiteral("关于 ") + rt::toQString(App.Title));
    ui->lblVersion->setText(
        QStringLiteral("版本 %1.%2.%3").arg(App.Major).arg(App.Minor).arg(App.Revision));
    ui->lblTitle->setText(rt::toQString(App.Title));
}

void frmAbout::cmdOK_Click()
{
    Unload();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

// Every failure, a runtime error included, ends in the one message box.
void frmAbout::StartSysInfo()
{
    static constexpr char16_t Tool[] = u"\\MSINFO32.EXE";
    try {
        std::u16string path;
        if (GetKeyValue(m_registry, registry::LocalMachine,
                        u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", path)) {
            rt::Shell(path, 1);
            return;
        }
        if (GetKeyValue(m_registry, registry::LocalMachine,
                        u"SOFTWARE\\Microsoft\\Shared Tools Location", u"MSINFO", path) &&
            !rt::Dir(path + Tool, 0).empty()) {
            path += Tool;
            rt::Shell(path, 1);
            return;
        }
    } catch (const rt::RuntimeError &) {
    }
    rt::MsgBox(QStringLiteral("此时系统信息不可用"), rt::vbOKOnly);
}
