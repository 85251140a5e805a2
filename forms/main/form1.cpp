#include "form1.h"

#include "boxes.h"
#include "controlevents.h"
#include "controls.h"
#include "conversions.h"
#include "dispatcher.h"
#include "fonts.h"
#include "frmabout.h"
#include "frmsolution.h"
#include "homepage.h"
#include "line.h"
#include "quadratic.h"
#include "text.h"
#include "ui_form1.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QResource>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

namespace {

constexpr unsigned ResultColour = 0x0040C0; // dark orange
constexpr unsigned LinkColour = 0xFF0000;   // blue
constexpr unsigned HoverColour = 0x0000FF;  // red
constexpr unsigned LineColour = 0x404040;   // dark grey

struct StoredFont
{
    const char *control;
    const char16_t *face;
    double points;
};

constexpr char16_t Song[] = u"宋体";
constexpr char16_t Kai[] = u"楷体_GB2312";

// Every character the solvers write into the result labels.
constexpr QStringView AnswerCharacters =
    u"0123456789 .+-EXY=△小于0，无解！ERROR!请检查输入的坐标无法读出：abcxy√";

// The boxes as a refusal names them.
constexpr std::u16string_view BoxNames[2][4] = {{u"a", u"b", u"c"}, {u"x₁", u"y₁", u"x₂", u"y₂"}};

// Command2 keeps the default dialog font.
constexpr StoredFont Fonts[] = {
    {"Label6", Kai, 15.75},   {"Text1", Song, 15.75},   {"Label1", Song, 21.75},
    {"Text2", Song, 15.75},   {"Label2", Song, 21.75},  {"Text3", Song, 15.75},
    {"Label3", Song, 21.75},  {"Label5", Song, 21.75},  {"Command1", Song, 24},
    {"Label4", Song, 14.25},  {"Label7", Kai, 15.75},   {"Label10", Song, 36},
    {"Label11", Song, 36},    {"Text4", Song, 15.75},   {"Text5", Song, 15.75},
    {"Text6", Song, 15.75},   {"Text7", Song, 15.75},   {"Label8", Song, 12},
    {"Label12", Song, 21.75}, {"Label13", Song, 21.75}, {"Label9", Song, 12},
    {"Label14", Song, 21.75}, {"Label15", Song, 21.75}, {"Command3", Song, 24},
    {"Label16", Song, 12},    {"Label17", Song, 10.5},
};

} // namespace

Form1::Form1(registry::Registry &registry, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>()), m_registry(registry)
{
    ui->setupUi(this);
    QIcon icon;
    for (const int side : {32, 64}) {
        const QByteArray pixels =
            QResource(QStringLiteral(":/quadrimo/quadrimo-%1.argb").arg(side)).uncompressedData();
        const QImage image(reinterpret_cast<const uchar *>(pixels.constData()), side, side,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image.copy())); // the image only borrows the pixels
    }
    setWindowIcon(icon);
    rt::applyKindDefaults(this);
    applyFonts();

    rt::setForeColor(ui->Label4, ResultColour);
    rt::setForeColor(ui->Label17, LinkColour);
    rt::setBackColor(ui->Line1, LineColour);

    wireHandlers();
    wireExactAnswers();
    // Loading ends with the Load event, before the window is first shown.
    rt::dispatch([this] { Form_Load(); });
    ui->Text1->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::applyFonts()
{
    for (const StoredFont &stored : Fonts) {
        auto *control = findChild<QWidget *>(QLatin1String(stored.control));
        Q_ASSERT(control);
        QFont font =
            rt::formFont(rt::toQString(stored.face), stored.points, control == ui->Label17);
        if (auto *box = qobject_cast<QLineEdit *>(control)) {
            rt::setTextBoxFont(box, font); // keeps fallbacks for whatever is typed
            continue;
        }
        // A label or button whose face draws all it can show needs no fallback faces, and
        // looking them up is start-up time spent for nothing.
        QString shows = control->property("text").toString();
        if (control == ui->Label4 || control == ui->Label16)
            shows += AnswerCharacters;
        if (rt::faceDraws(font, shows))
            font.setStyleStrategy(QFont::NoFontMerging);
        control->setFont(font);
    }
}

// The events that run program code, all through the dispatcher; any other event runs none.
// Load is raised by the constructor.
void Form1::wireHandlers()
{
    connect(ui->Command1, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { Command1_Click(); }); });
    connect(ui->Command2, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { Command2_Click(); }); });
    connect(ui->Command3, &QPushButton::clicked, this,
            [this] { rt::dispatch([this] { Command3_Click(); }); });
    connect(rt::ControlEvents::of(this), &rt::ControlEvents::mouseMove, this,
            [this](int button, int shift, int x, int y) {
                rt::dispatch([=, this] { Form_MouseMove(button, shift, x, y); });
            });
    auto *link = rt::ControlEvents::of(ui->Label17);
    connect(link, &rt::ControlEvents::click, this,
            [this] { rt::dispatch([this] { Label17_Click(); }); });
    connect(link, &rt::ControlEvents::mouseMove, this, [this](int button, int shift, int x, int y) {
        rt::dispatch([=, this] { Label17_MouseMove(button, shift, x, y); });
    });
}

// Every box is read before anything is computed; a box that writes no number is named.
std::optional<solvers::Boxes> Form1::readBoxes(Result result,
                                               std::initializer_list<const QLineEdit *> boxes)
{
    std::vector<std::u16string> texts;
    for (const QLineEdit *box : boxes)
        texts.push_back(box->text().toStdU16String());
    solvers::Boxes read = solvers::readBoxes(texts);
    if (read.refused < 0)
        return read;
    const auto i = static_cast<std::size_t>(read.refused);
    solvers::Solution refusal = solvers::refusal(BoxNames[result][i], texts[i]);
    const QString caption = rt::toQString(refusal.answer);
    QLabel *label = resultLabel(result);
    if (!rt::faceDraws(label->font(), caption)) { // whatever was typed draws
        QFont font = label->font();
        font.setStyleStrategy(QFont::PreferDefault);
        label->setFont(font);
    }
    showAnswer(result, caption, std::move(refusal));
    return std::nullopt;
}

void Form1::Command1_Click()
{
    const std::optional<solvers::Boxes> boxes =
        readBoxes(Quadratic, {ui->Text1, ui->Text2, ui->Text3});
    if (!boxes)
        return;
    const rt::Number &a = boxes->numbers[0], &b = boxes->numbers[1], &c = boxes->numbers[2];
    const QString caption = rt::toQString(solvers::quadraticAnswer(a, b, c));
    showAnswer(Quadratic, caption, solvers::quadraticSolution(a, b, c));
}

// The one About dialog: loaded if need be, then shown and brought to the front.
void Form1::Command2_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_registry, this);
    m_about->Show();
}

void Form1::Command3_Click()
{
    const std::optional<solvers::Boxes> boxes =
        readBoxes(Line, {ui->Text4, ui->Text5, ui->Text6, ui->Text7});
    if (!boxes)
        return;
    const rt::Number &x1 = boxes->numbers[0], &y1 = boxes->numbers[1];
    const rt::Number &x2 = boxes->numbers[2], &y2 = boxes->numbers[3];
    const QString caption = rt::toQString(solvers::lineAnswer(x1, y1, x2, y2));
    showAnswer(Line, caption, solvers::lineSolution(x1, y1, x2, y2));
}

QLabel *Form1::resultLabel(Result result) const
{
    return result == Quadratic ? ui->Label4 : ui->Label16;
}

QKeySequence Form1::shortcutOf(Result result)
{
    return QKeySequence(Qt::CTRL | (result == Quadratic ? Qt::Key_1 : Qt::Key_2));
}

// Nothing here is made before it is needed: the menu on request, the window on first opening.
void Form1::wireExactAnswers()
{
    for (Result result : {Quadratic, Line}) {
        QLabel *label = resultLabel(result);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, result](const QPoint &pos) { contextMenu(result, pos); });
        auto *shortcut = new QShortcut(shortcutOf(result), this);
        connect(shortcut, &QShortcut::activated, this, [this, result] { openSolution(result); });
    }
}

// Called only once the caption is sure: a runtime error leaves the label as it was.
void Form1::showAnswer(Result result, const QString &caption, solvers::Solution solution)
{
    QLabel *label = resultLabel(result);
    const QString answer = rt::toQString(solution.answer);
    const QString base =
        result == Quadratic ? QStringLiteral("方程的解") : QStringLiteral("过两点的一次函数");
    // A label with no accessible name of its own tells assistive technology of its new caption.
    label->setText(caption);
    label->setToolTip(answer + QStringLiteral("\n右键单击可复制或查看解题过程和图像（%1）")
                                   .arg(shortcutOf(result).toString()));
    label->setAccessibleDescription(solution.refused ? base : base + QStringLiteral("：") + answer);
    m_solutions[result] = std::move(solution);
    if (m_solution && m_shown == result)
        m_solution->setSolution(*m_solutions[result]);
}

void Form1::contextMenu(Result result, const QPoint &pos)
{
    QLabel *label = resultLabel(result);
    const bool answered = m_solutions[result].has_value();
    QMenu menu(this);
    QAction *copy = menu.addAction(QStringLiteral("复制"), this, [label] {
        QGuiApplication::clipboard()->setText(label->text());
    });
    QAction *copyExact = menu.addAction(QStringLiteral("复制精确结果"), this, [this, result] {
        QGuiApplication::clipboard()->setText(rt::toQString(m_solutions[result]->answer));
    });
    QAction *open = menu.addAction(QStringLiteral("解题过程和图像…"), this,
                                   [this, result] { openSolution(result); });
    open->setShortcut(shortcutOf(result));
    for (QAction *action : {copy, copyExact, open})
        action->setEnabled(answered);
    menu.exec(label->mapToGlobal(pos));
}

void Form1::openSolution(Result result)
{
    if (!m_solutions[result])
        return;
    if (!m_solution) {
        m_solution = new frmSolution(this);
        // Beside the main window where the screen has room, so that the answers stay in view.
        const QPoint beside = frameGeometry().topRight() + QPoint(8, 0);
        if (screen()->availableGeometry().contains(QRect(beside, m_solution->frameSize())))
            m_solution->move(beside);
    }
    m_shown = result;
    m_solution->setSolution(*m_solutions[result]);
    m_solution->show();
    m_solution->raise();
    m_solution->activateWindow();
}

// The solution's window belongs to this one and goes with it.
void Form1::closeEvent(QCloseEvent *event)
{
    if (m_solution)
        m_solution->close();
    QWidget::closeEvent(event);
}

void Form1::Form_Load()
{
    QFont font = ui->Label17->font();
    font.setUnderline(true);
    ui->Label17->setFont(font);
    rt::setForeColor(ui->Label17, LinkColour);
}

// Only a move over the bare form ends the link's hover state.
void Form1::Form_MouseMove(int, int, int, int)
{
    rt::setForeColor(ui->Label17, LinkColour);
    rt::setMousePointer(this, rt::DefaultPointer);
}

void Form1::Label17_MouseMove(int, int, int, int)
{
    rt::setForeColor(ui->Label17, HoverColour);
    rt::setMousePointer(this, rt::CrossPointer);
}

// Whether a browser opened is not reported.
void Form1::Label17_Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(settings::HomePage)));
}
