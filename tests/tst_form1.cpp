#include "form1.h"
#include "homepage.h"
#include "memoryregistry.h"
#include "messageboxwatcher.h"
#include "start.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

int twips(int pixels)
{
    return pixels * 15;
}

// The family prefix that stands in for "宋体" ("song") or "楷体_GB2312" ("kai") in this font
// setup: QUADRIMO_STAND_IN names it when the AR PL faces are hidden.
QString standIn(const QString &face)
{
    const QString hidden = qEnvironmentVariable("QUADRIMO_STAND_IN");
    if (!hidden.isEmpty())
        return hidden;
    return face == "song" ? "AR PL UMing" : "AR PL UKai";
}

// Every character drawn by the fonts the control uses: its face alone where fallback is off.
bool draws(const QWidget *w, const QString &text)
{
    const QFont font = w->font();
    const QRawFont face = QRawFont::fromFont(font);
    const QFontMetrics metrics(font);
    const bool alone = font.styleStrategy() & QFont::NoFontMerging;
    for (const QChar c : text)
        if (alone ? !face.supportsCharacter(c) : !metrics.inFont(c))
            return false;
    return true;
}

} // namespace

// Stands in for the browser: notes each address the URL opener is asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void controlCount();
    void controls_data();
    void controls();
    void answersHaveGlyphs();
    void separatorLine();
    void stacking_data();
    void stacking();
    void startState();
    void tabOrder();
    void enterAndEscapePressNothing_data();
    void enterAndEscapePressNothing();
    void resizeMovesNothing();
    void accessibleNames_data();
    void accessibleNames();
    void solvesTypedEquation();
    void errorIsReportedAndWindowGoesOn_data();
    void errorIsReportedAndWindowGoesOn();
    void solvesLineThroughTwoPoints();
    void lineErrorKeepsLabel16();
    void linkStyledAtStart();
    void linkHover_data();
    void linkHover();
    void linkClickOpensHomePage();

private:
    template <typename T = QWidget> T *control(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    registry::MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
};

void tst_Form1::initTestCase()
{
    rt::initialize();
}

void tst_Form1::init()
{
    m_form = std::make_unique<Form1>(m_registry);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void tst_Form1::cleanup()
{
    m_form.reset();
}

void tst_Form1::window()
{
    QCOMPARE(m_form->windowTitle(), QString("Form1"));
    QCOMPARE(twips(m_form->width()), 6450);
    QCOMPARE(twips(m_form->height()), 6480);
    QVERIFY(m_form->maximumWidth() > m_form->width()); // resizable
    QVERIFY(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(m_form->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QIcon icon = m_form->windowIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
    QCOMPARE(m_form->backgroundRole(), QPalette::Button);
}

void tst_Form1::controlCount()
{
    const auto children = m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    int edits = 0, labels = 0, buttons = 0, others = 0;
    for (QWidget *w : children) {
        if (qobject_cast<QLineEdit *>(w))
            ++edits;
        else if (qobject_cast<QLabel *>(w))
            ++labels;
        else if (qobject_cast<QPushButton *>(w))
            ++buttons;
        else
            ++others;
    }
    QCOMPARE(edits, 7);
    QCOMPARE(labels, 17);
    QCOMPARE(buttons, 3);
    QCOMPARE(others, 1); // Line1
}

void tst_Form1::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twipRect");
    QTest::addColumn<QString>("face"); // "song", "kai" or "" for the default dialog font
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("colour"); // "" for the kind's default

    auto row = [](const char *name, const char *kind, const char *text, int l, int t, int w, int h,
                  const char *face, double points, const char *colour = "") {
        QTest::newRow(name) << QString(name) << QString(kind) << QString(text) << QRect(l, t, w, h)
                            << QString(face) << points << QString(colour);
    };
    row("Label6", "QLabel", "二次函数Quadrimo", 120, 0, 5415, 495, "kai", 15.75);
    row("Text1", "QLineEdit", "", 360, 600, 615, 615, "song", 15.75);
    row("Label1", "QLabel", "X^2+", 1080, 600, 855, 615, "song", 21.75);
    row("Text2", "QLineEdit", "", 2040, 600, 615, 615, "song", 15.75);
    row("Label2", "QLabel", "X+", 2760, 600, 615, 615, "song", 21.75);
    row("Text3", "QLineEdit", "", 3480, 600, 615, 615, "song", 15.75);
    row("Label3", "QLabel", "=", 4200, 600, 615, 615, "song", 21.75);
    row("Label5", "QLabel", "0", 4680, 600, 735, 615, "song", 21.75);
    row("Command1", "QPushButton", "GO", 5640, 600, 735, 1695, "song", 24);
    row("Label4", "QLabel", "", 360, 1560, 4815, 615, "song", 14.25, "#c04000");
    row("Label7", "QLabel", " 由坐标求一次函数式", 0, 2520, 3375, 495, "kai", 15.75);
    row("Label10", "QLabel", "，", 1920, 2880, 375, 615, "song", 36);
    row("Label11", "QLabel", "，", 4920, 2880, 495, 615, "song", 36);
    row("Text4", "QLineEdit", "", 1200, 3120, 615, 615, "song", 15.75);
    row("Text5", "QLineEdit", "", 2280, 3120, 615, 615, "song", 15.75);
    row("Text6", "QLineEdit", "", 4200, 3120, 615, 615, "song", 15.75);
    row("Text7", "QLineEdit", "", 5280, 3120, 615, 615, "song", 15.75);
    row("Label8", "QLabel", "坐标1", 240, 3240, 735, 375, "song", 12);
    row("Label12", "QLabel", "(", 960, 3240, 375, 975, "song", 21.75);
    row("Label13", "QLabel", ")", 2880, 3240, 375, 975, "song", 21.75);
    row("Label9", "QLabel", "坐标2", 3240, 3240, 735, 375, "song", 12);
    row("Label14", "QLabel", "(", 3840, 3240, 375, 975, "song", 21.75);
    row("Label15", "QLabel", ")", 5880, 3240, 375, 975, "song", 21.75);
    row("Command3", "QPushButton", "GO", 5640, 3960, 735, 1815, "song", 24);
    row("Label16", "QLabel", "", 360, 4080, 4695, 1215, "song", 12);
    row("Command2", "QPushButton", "About", 120, 5880, 975, 375, "", 0);
    row("Label17", "QLabel", "了解更多请访问我的空间 Zorvel", 1680, 6000, 4695, 375, "song", 10.5,
        "#0000ff");
}

void tst_Form1::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, twipRect);
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(QString, colour);

    QWidget *w = control(name.toLatin1().constData());
    QVERIFY(w);
    const QRect g = w->geometry();
    QCOMPARE(QRect(twips(g.x()), twips(g.y()), twips(g.width()), twips(g.height())), twipRect);
    QVERIFY(w->isVisible());
    QVERIFY(w->isEnabled());

    QCOMPARE(w->metaObject()->className(), kind);
    QCOMPARE(w->property("text").toString(), text);
    if (auto *label = qobject_cast<QLabel *>(w)) {
        // Opaque in the button-face colour; plain text that wraps.
        QVERIFY(label->autoFillBackground() && label->backgroundRole() == QPalette::Button);
        QVERIFY(label->wordWrap() && label->textFormat() == Qt::PlainText);
        QCOMPARE(label->font().underline(), name == "Label17");
    }

    const QFontInfo info(w->font());
    if (face.isEmpty()) {
        QCOMPARE(w->font(), QApplication::font(w));
    } else {
        // The stored point sizes are at 96 DPI: 4/3 pixel per point.
        QCOMPARE(info.pixelSize(), qRound(points * 4 / 3));
        const QString expected = standIn(face);
        QVERIFY2(info.family().startsWith(expected), qPrintable(info.family()));
        // Normal weight asked for; the Song face has only its light weight, never bold.
        QCOMPARE(w->font().weight(), QFont::Normal);
        QVERIFY(info.weight() < QFont::DemiBold);
        QVERIFY(!info.italic());
    }
    // Whatever is typed draws, from another face if need be.
    if (kind == "QLineEdit")
        QVERIFY(!(w->font().styleStrategy() & QFont::NoFontMerging));
    QVERIFY2(draws(w, text), qPrintable(info.family()));

    const QColor fore = w->palette().color(w->foregroundRole());
    if (!colour.isEmpty())
        QCOMPARE(fore.name(), colour);
    else if (kind == "QLabel")
        QCOMPARE(fore, w->palette().color(QPalette::ButtonText));
}

void tst_Form1::answersHaveGlyphs()
{
    const QString answers = "X1= -1.5E+07    X2= 0.333333333333333 X= △小于0，无解！"
                            "ERROR! 请检查输入的坐标 Y= 2 X  +-3 0123456789";
    for (const char *name : {"Label4", "Label16"})
        QVERIFY2(draws(control(name), answers), name);
}

void tst_Form1::separatorLine()
{
    QWidget *line = control("Line1");
    QVERIFY(line);
    QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(line->focusPolicy(), Qt::NoFocus);
    // From (0, 2400) to (6480, 2400), 3 pixels wide: it runs past the 6450-twip client edge.
    QCOMPARE(twips(line->x()), 0);
    QCOMPARE(twips(line->x() + line->width()), 6480);
    QCOMPARE(line->height(), 3);
    QCOMPARE(twips(line->y() + 1), 2400);

    const QImage shot = m_form->grab().toImage();
    for (int x : {0, 200, 429})
        for (int y : {159, 160, 161})
            QCOMPARE(QColor(shot.pixel(x, y)).name(), QString("#404040"));
    QVERIFY(QColor(shot.pixel(200, 157)).name() != QString("#404040"));
    QVERIFY(QColor(shot.pixel(200, 163)).name() != QString("#404040"));
    // Nothing catches the mouse over the line.
    QCOMPARE(m_form->childAt(200, 160), nullptr);
}

void tst_Form1::stacking_data()
{
    QTest::addColumn<QPoint>("twipPoint");
    QTest::addColumn<QString>("top");

    QTest::newRow("Label5 over Label3") << QPoint(4700, 700) << "Label5";
    QTest::newRow("Label10 over Label7") << QPoint(1950, 2925) << "Label10";
    QTest::newRow("Label12 over Label8") << QPoint(965, 3300) << "Label12";
    QTest::newRow("Label13 over Label9") << QPoint(3245, 3300) << "Label13";
    QTest::newRow("Label14 over Label9") << QPoint(3900, 3300) << "Label14";
    QTest::newRow("Label16 over Label12") << QPoint(1000, 4100) << "Label16";
    QTest::newRow("Label16 over Label13") << QPoint(2900, 4100) << "Label16";
    QTest::newRow("Label16 over Label14") << QPoint(3900, 4100) << "Label16";
    QTest::newRow("Text4 over Label12") << QPoint(1230, 3300) << "Text4";
    QTest::newRow("Text5 over Label13") << QPoint(2885, 3300) << "Text5";
    QTest::newRow("Text6 over Label14") << QPoint(4205, 3300) << "Text6";
    QTest::newRow("Text7 over Label15") << QPoint(5885, 3300) << "Text7";
    QTest::newRow("Text4 over Label10") << QPoint(1800, 3150) << "Text4";
    QTest::newRow("Text2 over Label1") << QPoint(2045, 700) << "Text2";
}

void tst_Form1::stacking()
{
    QFETCH(QPoint, twipPoint);
    QFETCH(QString, top);
    QWidget *hit = m_form->childAt(twipPoint / 15);
    QVERIFY(hit);
    // A line edit may answer with an inner child; walk up to the form's control.
    while (hit->parentWidget() != m_form.get())
        hit = hit->parentWidget();
    QCOMPARE(hit->objectName(), top);
}

void tst_Form1::startState()
{
    for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"})
        QVERIFY(control<QLineEdit>(name)->text().isEmpty());
    QVERIFY(control<QLabel>("Label4")->text().isEmpty());
    QVERIFY(control<QLabel>("Label16")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), control("Text1"));
}

void tst_Form1::tabOrder()
{
    const QStringList expected = {"Text2", "Text3", "Command1", "Command2", "Text4", "Text5",
                                  "Text6", "Text7", "Command3", "Text1",    "Text2"};
    QCOMPARE(QApplication::focusWidget(), control("Text1"));
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    QStringList back;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        back << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(back, QStringList({"Text1", "Command3", "Text7"}));
}

void tst_Form1::enterAndEscapePressNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void tst_Form1::enterAndEscapePressNothing()
{
    QFETCH(int, key);
    QSignalSpy go1(control<QPushButton>("Command1"), &QPushButton::clicked);
    QSignalSpy go3(control<QPushButton>("Command3"), &QPushButton::clicked);
    QTest::keyClicks(control("Text1"), "1");
    for (const char *name : {"Text1", "Text4"})
        QTest::keyClick(control(name), Qt::Key(key));
    QCOMPARE(go1.count(), 0);
    QCOMPARE(go3.count(), 0);
    QVERIFY(control<QLabel>("Label4")->text().isEmpty());
    QVERIFY(m_form->isVisible());
}

void tst_Form1::resizeMovesNothing()
{
    QHash<QString, QRect> before;
    for (QWidget *w : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        before.insert(w->objectName(), w->geometry());
    m_form->resize(900, 800);
    QTest::qWait(10);
    for (QWidget *w : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QCOMPARE(w->geometry(), before.value(w->objectName()));
}

// What a screen reader says for each control. Text boxes have no caption, so they carry a name;
// buttons and labels are named by their caption.
void tst_Form1::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const int edit = QAccessible::EditableText;
    const int button = QAccessible::Button;
    const int label = QAccessible::StaticText;
    auto row = [](const char *control, int role, const char *name, const char *description) {
        QTest::newRow(control) << QString(control) << role << QString(name) << QString(description);
    };
    row("Text1", edit, "二次项系数 a", "");
    row("Text2", edit, "一次项系数 b", "");
    row("Text3", edit, "常数项 c", "");
    row("Text4", edit, "坐标1 横坐标 x1", "");
    row("Text5", edit, "坐标1 纵坐标 y1", "");
    row("Text6", edit, "坐标2 横坐标 x2", "");
    row("Text7", edit, "坐标2 纵坐标 y2", "");
    row("Command1", button, "GO", "求方程 aX²+bX+c=0 的实数根");
    row("Command3", button, "GO", "求过两点的一次函数 Y=kX+b");
    row("Command2", button, "About", "关于本程序");
    row("Label4", label, "", "方程的解");
    row("Label16", label, "", "过两点的一次函数");
    row("Label17", label, "了解更多请访问我的空间 Zorvel", "在浏览器中打开作者的主页");
    row("Label8", label, "坐标1", "");
}

void tst_Form1::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QAccessibleInterface *iface =
        QAccessible::queryAccessibleInterface(this->control(control.toLatin1().constData()));
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
}

void tst_Form1::solvesTypedEquation()
{
    QTest::keyClicks(control("Text1"), "1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "-3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "2");
    QCOMPARE(control<QLineEdit>("Text3")->text(), QString("2"));
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    QCOMPARE(control<QLabel>("Label4")->text(), QString("X1= 1    X2= 2"));
    // A listener hears the answer; that it is announced is seen on the bus end to end.
    QCOMPARE(QAccessible::queryAccessibleInterface(control("Label4"))->text(QAccessible::Name),
             QString("X1= 1    X2= 2"));
    // The boxes keep what was typed; the other result is untouched.
    QCOMPARE(control<QLineEdit>("Text2")->text(), QString("-3"));
    QVERIFY(control<QLabel>("Label16")->text().isEmpty());
}

void tst_Form1::errorIsReportedAndWindowGoesOn_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("message");
    const QString overflow = "运行时错误 '6':\n\n溢出";
    QTest::newRow("0,0,0") << QStringList{"0", "0", "0"} << overflow;
    QTest::newRow("empty boxes") << QStringList{"", "", ""} << overflow;
    QTest::newRow("0,0,5") << QStringList{"0", "0", "5"} << QString("运行时错误 '11':\n\n除数为零");
    QTest::newRow("1e200,1,1e200") << QStringList{"1e200", "1", "1e200"} << overflow;
    QTest::newRow("1e400 typed") << QStringList{"1e400", "1", "1"} << overflow;
}

void tst_Form1::errorIsReportedAndWindowGoesOn()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, message);
    const QString &a = coefficients[0];

    auto *text1 = control<QLineEdit>("Text1");
    auto *text2 = control<QLineEdit>("Text2");
    auto *text3 = control<QLineEdit>("Text3");
    auto *label4 = control<QLabel>("Label4");
    QTest::keyClicks(text1, "1");
    QTest::keyClicks(text2, "-3");
    QTest::keyClicks(text3, "2");
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    QCOMPARE(label4->text(), QString("X1= 1    X2= 2"));

    for (QLineEdit *e : {text1, text2, text3})
        e->clear();
    QTest::keyClicks(text1, a);
    QTest::keyClicks(text2, coefficients[1]);
    QTest::keyClicks(text3, coefficients[2]);

    MessageBoxWatcher boxes;
    QTest::mouseClick(control("Command1"), Qt::LeftButton);

    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen()[0].text, message);
    QCOMPARE(boxes.seen()[0].title, QString("Quadrimo"));
    QCOMPARE(boxes.seen()[0].buttons, QStringList{"确定"});
    QCOMPARE(label4->text(), QString("X1= 1    X2= 2"));
    QCOMPARE(text1->text(), a);
    QVERIFY(m_form->isVisible());

    // And the window goes on working.
    for (QLineEdit *e : {text1, text2, text3})
        e->clear();
    QTest::keyClicks(text1, "0");
    QTest::keyClicks(text2, "2");
    QTest::keyClicks(text3, "-4");
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    QCOMPARE(label4->text(), QString("X= 2"));
}

void tst_Form1::solvesLineThroughTwoPoints()
{
    const QStringList typed = {"1", "0", "4", "1"};
    QTest::mouseClick(control("Text4"), Qt::LeftButton);
    for (const QString &t : typed) {
        QTest::keyClicks(QApplication::focusWidget(), t);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), control("Command3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(control<QLabel>("Label16")->text(),
             QString("Y= 0.333333333333333 X  +-0.333333333333333"));
    QVERIFY(control<QLabel>("Label4")->text().isEmpty());

    control<QLineEdit>("Text6")->setText("1");
    QTest::mouseClick(control("Command3"), Qt::LeftButton);
    QCOMPARE(control<QLabel>("Label16")->text(), QString("ERROR! 请检查输入的坐标"));
}

void tst_Form1::lineErrorKeepsLabel16()
{
    auto *label16 = control<QLabel>("Label16");
    label16->setText("Y= 2 X  + 1");
    const char *texts[] = {"0", "-1e308", "1", "1e308"};
    const char *names[] = {"Text4", "Text5", "Text6", "Text7"};
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(control(names[i]), texts[i]);
    MessageBoxWatcher boxes;
    QTest::mouseClick(control("Command3"), Qt::LeftButton);
    QCOMPARE(boxes.texts(), QStringList{"运行时错误 '6':\n\n溢出"});
    QCOMPARE(label16->text(), QString("Y= 2 X  + 1"));
    QVERIFY(m_form->isVisible());
}

void tst_Form1::linkStyledAtStart()
{
    QWidget *link = control("Label17");
    QCOMPARE(link->palette().color(link->foregroundRole()).name(), QString("#0000ff"));
    QVERIFY(link->font().underline());
    QVERIFY(!m_form->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
}

void tst_Form1::linkHover_data()
{
    QTest::addColumn<QString>("via");
    QTest::addColumn<bool>("staysRed");

    QTest::newRow("onto Label16") << "Label16" << true;
    QTest::newRow("onto a text box") << "Text7" << true;
    QTest::newRow("onto a button") << "Command2" << true;
    QTest::newRow("onto another label") << "Label4" << true;
    QTest::newRow("onto the bare form") << "" << false;
    QTest::newRow("onto the separator line") << "Line1" << false;
}

void tst_Form1::linkHover()
{
    QFETCH(QString, via);
    QFETCH(bool, staysRed);
    QWidget *link = control("Label17");
    auto colour = [&] { return link->palette().color(link->foregroundRole()).name(); };

    QTest::mouseMove(link, QPoint(20, 10));
    QCOMPARE(colour(), QString("#ff0000"));
    QCOMPARE(m_form->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(link->cursor().shape(), Qt::CrossCursor); // the form's pointer, not its own
    QVERIFY(!link->testAttribute(Qt::WA_SetCursor));

    if (via.isEmpty())
        QTest::mouseMove(m_form.get(), QPoint(428, 300)); // right of both GO buttons
    else
        QTest::mouseMove(m_form.get(), control(via.toLatin1().constData())->geometry().center());

    QCOMPARE(colour(), staysRed ? QString("#ff0000") : QString("#0000ff"));
    QCOMPARE(m_form->cursor().shape(), staysRed ? Qt::CrossCursor : Qt::ArrowCursor);
    QVERIFY(link->font().underline());

    // Only a move over the bare form ends the hover.
    QTest::mouseMove(m_form.get(), QPoint(5, 420));
    QCOMPARE(colour(), QString("#0000ff"));
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
}

void tst_Form1::linkClickOpensHomePage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    QWidget *link = control("Label17");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(catcher.opened.size(), 1);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(catcher.opened, QList<QUrl>({QUrl(settings::HomePage), QUrl(settings::HomePage)}));
    QCOMPARE(catcher.opened.first().scheme(), QString("http"));

    // Clicking changes neither colour nor pointer; a right click opens nothing.
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(30, 10));
    QCOMPARE(catcher.opened.size(), 2);
    // A press on the link released elsewhere is no click.
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-50, -50));
    QCOMPARE(catcher.opened.size(), 2);
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
}

QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
