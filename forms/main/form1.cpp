#include "form1.h"

#include "ui_form1.h"

#include "runtime/controls.h"
#include "runtime/conversions.h"
#include "runtime/dispatcher.h"
#include "runtime/fonts.h"
#include "runtime/text.h"
#include "solvers/quadratic.h"

#include <QIcon>

namespace {

constexpr unsigned ResultColour = 0x0040C0; // dark orange
constexpr unsigned LinkColour = 0xFF0000;   // blue
constexpr unsigned LineColour = 0x404040;   // dark grey

struct FontSpec
{
    const char *control;
    const char16_t *face;
    double points;
};

constexpr char16_t Song[] = u"宋体";
constexpr char16_t Kai[] = u"楷体_GB2312";

// Command2 keeps the default dialog font.
constexpr FontSpec Fonts[] = {
    {"Label6", Kai, 15.75},    {"Text1", Song, 15.75},   {"Label1", Song, 21.75},
    {"Text2", Song, 15.75},    {"Label2", Song, 21.75},  {"Text3", Song, 15.75},
    {"Label3", Song, 21.75},   {"Label5", Song, 21.75},  {"Command1", Song, 24},
    {"Label4", Song, 14.25},   {"Label7", Kai, 15.75},   {"Label10", Song, 36},
    {"Label11", Song, 36},     {"Text4", Song, 15.75},   {"Text5", Song, 15.75},
    {"Text6", Song, 15.75},    {"Text7", Song, 15.75},   {"Label8", Song, 12},
    {"Label12", Song, 21.75},  {"Label13", Song, 21.75}, {"Label9", Song, 12},
    {"Label14", Song, 21.75},  {"Label15", Song, 21.75}, {"Command3", Song, 24},
    {"Label16", Song, 12},     {"Label17", Song, 10.5},
};

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/quadrimo/icon.xpm")));
    rt::applyKindDefaults(this);
    applyFonts();

    rt::setForeColor(ui->Label4, ResultColour);
    rt::setForeColor(ui->Label17, LinkColour);
    rt::setBackColor(ui->Line1, LineColour);

    wireHandlers();
    ui->Text1->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::applyFonts()
{
    for (const FontSpec &spec : Fonts) {
        auto *control = findChild<QWidget *>(QLatin1String(spec.control));
        Q_ASSERT(control);
        control->setFont(rt::formFont(rt::toQString(spec.face), spec.points,
                                      control == ui->Label17));
    }
}

// Each event that runs program code, and nothing else, goes through the dispatcher.
void Form1::wireHandlers()
{
    connect(ui->Command1, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { Command1_Click(); }); });
}

void Form1::Command1_Click()
{
    const double a = rt::Val(rt::toView(ui->Text1->text()));
    const double b = rt::Val(rt::toView(ui->Text2->text()));
    const double c = rt::Val(rt::toView(ui->Text3->text()));
    ui->Label4->setText(rt::toQString(solvers::quadraticAnswer(a, b, c)));
}
