#include "form1.h"
#include "homepage.h"
#include "memoryregistry.h"
#include "start.h"
#include "support.h"

#include <QClipboard>
#include <QColorSpace>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRawFont>
#include <memory>

namespace {

// The family that stands in for "宋体" or "楷体_GB2312" in this run's font setup.
QString standIn(const QString &face)
{
    const QString hidden = qEnvironmentVariable("QUADRIMO_STAND_IN"); // AR PL faces hidden
    return !hidden.isEmpty() ? hidden : face == "song" ? "AR PL UMing" : "AR PL UKai";
}

// Every character drawn by the fonts the control uses: its face alone where fallback is off.
bool draws(const QWidget *w, const QString &text)
{
    const QRawFont face = QRawFont::fromFont(w->font());
    const QFontMetrics metrics(w->font());
    const bool alone = w->font().styleStrategy() & QFont::NoFontMerging;
    for (const QChar c : text)
        if (alone ? !face.supportsCharacter(c) : !metrics.inFont(c))
            return false;
    return true;
}

const QString Answers = "X1= -1.5E+07    X2= 0.333333333333333 X= △小于0，无解！"
                        "ERROR! 请检查输入的坐标 Y= 2 X  +-3 0123456789 无法读出 b：2√";

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { m_opened << url; } // stands in for the browser

private slots:
    void initTestCase() { rt::initialize(); }
    void init();
    void cleanup() { m_form.reset(); }

    void fonts_data();
    void fonts();
    void geometry();
    void stacking();
    void presses_data();
    void presses();
    void keys_data();
    void keys();
    void solution();
    void link();

private:
    QWidget *at(const char *name) const { return control(m_form.get(), name); }
    void type(const QStringList &boxes);
    QStringList menu(const char *label, const QString &pick = {});
    registry::MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
    QList<QUrl> m_opened;
};

void tst_Form1::init()
{
    m_form = std::make_unique<Form1>(m_registry);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

// Three boxes for the first GO, four for the second, each typed afresh, then GO with Space.
void tst_Form1::type(const QStringList &boxes)
{
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::mouseClick(at(boxes.size() == 3 ? "Text1" : "Text4"), Qt::LeftButton);
    for (const QString &typed : boxes) {
        static_cast<QLineEdit *>(QApplication::focusWidget())->clear();
        for (const QChar c : typed) // as an input method hands over what it composed
            if (c.unicode() < 128)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                    QString(c), Qt::NoModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
}

void tst_Form1::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("face"); // "song" or "kai"
    QTest::addColumn<double>("points");
    auto row = [](const char *name, const char *caption, const char *face, double points) {
        QTest::newRow(name) << name << caption << face << points;
    };
    row("Text1", "", "song", 15.75);
    row("Label6", "二次函数Quadrimo", "kai", 15.75);
    row("Label8", "坐标1", "song", 12);
    row("Label4", "", "song", 14.25);
}

void tst_Form1::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, face);
    QFETCH(double, points);
    QWidget *w = at(name.toLatin1());
    QCOMPARE(w->property("text").toString(), caption);
    const QFontInfo info(w->font());
    QCOMPARE(info.pixelSize(), qRound(points * 4 / 3)); // the stored sizes are at 96 DPI
    QCOMPARE(w->font().weight(), QFont::Normal);
    QVERIFY2(info.family().startsWith(standIn(face)), qPrintable(info.family()));
    // Whatever is typed draws, from another face if need be.
    if (qobject_cast<QLineEdit *>(w))
        QVERIFY(!(w->font().styleStrategy() & QFont::NoFontMerging));
    const bool result = name == "Label4" || name == "Label16";
    QVERIFY2(draws(w, caption + (result ? Answers : QString())), qPrintable(info.family()));
}

// At every scale factor: the layout in twips, icons made for the device pixels, the separator.
void tst_Form1::geometry()
{
    QCOMPARE(QSize(twips(m_form->width()), twips(m_form->height())), QSize(6450, 6480));
    const QRect text1 = at("Text1")->geometry();
    QCOMPARE(QRect(twips(text1.x()), twips(text1.y()), twips(text1.width()), twips(text1.height())),
             QRect(360, 600, 615, 615));
    const qreal ratio = m_form->devicePixelRatioF();
    const auto argb = [](const QImage &image) { // the pixels alone
        QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        pixels.setColorSpace({});
        pixels.setDevicePixelRatio(1);
        return pixels;
    };
    QCOMPARE(argb(m_form->windowIcon().pixmap(QSize(32, 32), ratio).toImage()),
             argb(QImage(QUADRIMO_ICONS + QString("/quadrimo-%1.png").arg(qRound(32 * ratio)))));
    const QImage shot = m_form->grab().toImage();
    int grey = 0;
    for (int y = 0; y < shot.height(); ++y)
        grey += QColor(shot.pixel(shot.width() / 2, y)).name() == "#404040";
    QVERIFY2(qAbs(grey - 3 * ratio) <= 1, qPrintable(QString::number(grey)));
}

// Where controls overlap, boxes and the later labels are on top.
void tst_Form1::stacking()
{
    const std::pair<QPoint, const char *> tops[] = {{{4700, 700}, "Label5"},
                                                    {{1230, 3300}, "Text4"}};
    for (const auto &[twipPoint, top] : tops) {
        QWidget *hit = m_form->childAt(twipPoint / 15);
        while (hit && hit->parentWidget() != m_form.get())
            hit = hit->parentWidget(); // a line edit may answer with an inner child
        QCOMPARE(hit ? hit->objectName() : QString(), QString(top));
    }
}

void tst_Form1::presses_data()
{
    QTest::addColumn<QStringList>("boxes"); // Text1-3 for the first GO, Text4-7 for the second
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("exact");   // the tooltip's first line
    QTest::addColumn<QString>("message"); // the runtime error's box, or empty
    auto row = [](const char *name, const QStringList &boxes, const char *caption,
                  const char *exact, const QString &message = {}) {
        QTest::newRow(name) << boxes << QString(caption) << QString(exact) << message;
    };
    const QString overflow = "运行时错误 '6':\n\n溢出";
    row("fraction", {"1/4", "-2", "2"}, "X1= 1.17157287525381    X2= 6.82842712474619",
        "x₁ = 4 − 2√2，x₂ = 4 + 2√2");
    row("0,0,5", {"0", "0", "5"}, "", "", "运行时错误 '11':\n\n除数为零");
    row("line", {"3", "1.9", "2.6", "2.14"}, "Y=-0.6 X  + 3.7", "y = −0.6x + 3.7");
    row("line refused", {"1", "4", "5", "4"}, "ERROR! 请检查输入的坐标",
        "两点的纵坐标相同，过这两点的直线不是一次函数的图像");
    row("line, equal x", {"3", "4", "3", "7"}, "ERROR! 请检查输入的坐标",
        "两点的横坐标相同，过这两点的直线不是一次函数的图像");
    row("line overflow", {"0", "-1e308", "1", "1e308"}, "", "", overflow);
    row("radical double root", {"1", "−2√3", "3"}, "X1= 1.73205080756888    X2= 1.73205080756888",
        "x₁ = x₂ = √3");
    row("radical roots rationalised", {"√2", "-√3", "-√2"},
        "X1=-0.560231504260063    X2= 1.78497637565165", "x₁ = (√6 − √22)/4，x₂ = (√6 + √22)/4");
    row("radical line", {"√3", "1", "0", "-2"}, "Y= 1.73205080756888 X  +-2", "y = √3x − 2");
    // A refusal names the first unreadable box even after a box that overflows.
    row("unreadable b", {"1e400", "2√", "√(-1)"}, "ERROR! 无法读出 b：2√", "ERROR! 无法读出 b：2√");
    row("unreadable y₂", {"1", "2", "3", "sqrt"}, "ERROR! 无法读出 y₂：sqrt",
        "ERROR! 无法读出 y₂：sqrt");
    row("a fifth radicand", {"√2", "√3+√5", "√7-√11"}, "ERROR! 无法读出 c：√7-√11",
        "ERROR! 无法读出 c：√7-√11");
}

// Typed as a user types, then GO; a runtime error leaves the label as it was, its tooltip and
// description included, and the window goes on.
void tst_Form1::presses()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, caption);
    QFETCH(QString, exact);
    QFETCH(QString, message);
    const bool quadratic = boxes.size() == 3;
    auto *result = control<QLabel>(m_form.get(), quadratic ? "Label4" : "Label16");
    result->setText("before");
    result->setToolTip("before");
    result->setAccessibleDescription("before");
    MessageBoxWatcher watcher;
    type(boxes);
    QCOMPARE(result->text(), message.isEmpty() ? caption : QString("before"));
    QCOMPARE(watcher.boxes().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        const auto &box = watcher.boxes().first();
        QCOMPARE(QStringList({box.title, box.text, box.buttons.join(',')}),
                 QStringList({"Quadrimo", message, "确定"}));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(result->toolTip(), QString("before"));
        QCOMPARE(result->accessibleDescription(), QString("before"));
    } else {
        QCOMPARE(
            result->toolTip(),
            exact +
                QString("\n右键单击可复制或查看解题过程和图像（Ctrl+%1）").arg(quadratic ? 1 : 2));
        // A screen reader hears the exact answer; a refused line has none.
        const QString heard = quadratic ? "方程的解" : "过两点的一次函数";
        QCOMPARE(result->accessibleDescription(),
                 caption.startsWith("ERROR") ? heard : heard + "：" + exact);
    }
    if (quadratic) // its answers in dark orange
        QCOMPARE(result->palette().color(result->foregroundRole()).name(), QString("#c04000"));
    QVERIFY(m_form->isVisible());
}

// The items of a result label's context menu as "text:enabled"; picks the item named, if any.
QStringList tst_Form1::menu(const char *label, const QString &pick)
{
    QStringList items;
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            items << action->text() + (action->isEnabled() ? ":on" : ":off");
            if (action->text() == pick)
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            at(label)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(at(label), &event);
    return items;
}

// Nothing to offer before the first press; then both answers copy, and Ctrl+1 opens the worked
// solution, which follows each press, closes on Esc and goes with the main window.
void tst_Form1::solution()
{
    QTest::keyClick(at("Text1"), Qt::Key_1, Qt::ControlModifier);
    QVERIFY(!m_form->findChild<QWidget *>("frmSolution"));
    QCOMPARE(menu("Label4"), QStringList({"复制:off", "复制精确结果:off", "解题过程和图像…:off"}));

    type({"1/4", "-2", "2"});
    menu("Label4", "复制精确结果");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("x₁ = 4 − 2√2，x₂ = 4 + 2√2"));
    m_form->activateWindow(); // from the menu
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(at("Text3"), Qt::Key_1, Qt::ControlModifier);
    auto *window = m_form->findChild<QWidget *>("frmSolution");
    QVERIFY(window && window->isVisible() && window->isWindow());
    auto steps = [&] { return control<QPlainTextEdit>(window, "txtSteps")->toPlainText(); };
    QVERIFY2(steps().startsWith("解方程 1/4 x² − 2x + 2 = 0（公式法）\n"), qPrintable(steps()));

    // The methods that apply, the textbook's choice first; the one picked stays where listed.
    auto *method = control<QComboBox>(window, "cboMethod");
    auto methods = [&] {
        QStringList items;
        for (int i = 0; i < method->count(); ++i)
            items << method->itemText(i);
        return items.join(' ') + " : " + (method->isVisible() ? method->currentText() : "");
    };
    QCOMPARE(methods(), QString("公式法 配方法 : 公式法"));
    type({"2", "-3", "1"});
    QCOMPARE(methods(), QString("因式分解法 公式法 配方法 : 因式分解法"));
    QTest::keyClick(method, Qt::Key_End);
    QVERIFY2(steps().startsWith("解方程 2x² − 3x + 1 = 0（配方法）\n移项"), qPrintable(steps()));
    type({"4", "0", "-9"});
    QCOMPARE(methods(), QString("直接开平方法 因式分解法 公式法 : 直接开平方法"));
    type({"1", "-8", "1"});
    QCOMPARE(methods(), QString("公式法 配方法 : 配方法"));
    QVERIFY2(steps().startsWith("解方程 x² − 8x + 1 = 0（配方法）\n"), qPrintable(steps()));

    // The student's own lines, checked with Ctrl+Enter; they stay while GO answers the same
    // equation, however typed, and go when it changes.
    auto *mine = control<QPlainTextEdit>(window, "txtMine");
    auto *verdict = control<QPlainTextEdit>(window, "txtVerdict");
    QVERIFY(mine->isVisible());
    // On a 1366×768 screen, title bar and task bar left, with room for the graph.
    QVERIFY(window->height() <= 700 && control(window, "picGraph")->height() >= 240);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    mine->setFocus();
    for (const QString &line : {"x^2-8x=-1", "x^2-8x+16=-1"}) {
        QTest::keyClicks(mine, line);
        QTest::keyClick(mine, Qt::Key_Return);
    }
    QTest::keyClick(mine, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY2(verdict->toPlainText().startsWith("第 2 行有误。"),
             qPrintable(verdict->toPlainText()));
    QCOMPARE(verdict->accessibleDescription(), verdict->toPlainText());
    type({"2/2", "-8", "1.0"});
    QVERIFY(mine->toPlainText().startsWith("x^2-8x=-1"));
    type({"1", "-8", "2"});
    QVERIFY(mine->toPlainText().isEmpty() && verdict->toPlainText().isEmpty());
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());

    type({"3", "5", "-4", "-9"});
    QTest::keyClick(at("Text4"), Qt::Key_2, Qt::ControlModifier);
    QVERIFY(window->isVisible());
    QVERIFY2(steps().contains("所以 y = 2x − 1\n"), qPrintable(steps()));
    QVERIFY(!method->isVisible());
    QVERIFY(!mine->isVisible());
    type({"2", "0", "-8"}); // the other label's press
    QVERIFY2(steps().contains("所以 y = 2x − 1\n"), qPrintable(steps()));
    m_form->close();
    QVERIFY(!window->isVisible());
}

void tst_Form1::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QString>("pressed"); // the button pressed, or empty
    auto row = [](const char *name, const char *focus, int key, bool repeat, const char *pressed) {
        QTest::newRow(name) << focus << key << repeat << pressed;
    };
    for (const char *button : {"Command1", "Command2", "Command3"}) {
        row(qPrintable(QString("Enter on ") + button), button, Qt::Key_Return, false, button);
        row(qPrintable(QString("keypad Enter on ") + button), button, Qt::Key_Enter, false, button);
    }
    row("held Enter", "Command1", Qt::Key_Return, true, "");
    row("Enter in a box", "Text7", Qt::Key_Return, false, "");
    row("Esc in a box", "Text1", Qt::Key_Escape, false, "");
}

// Enter presses the focused button once; none of them is the window's default or cancel button.
void tst_Form1::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, repeat);
    QFETCH(QString, pressed);
    QStringList seen;
    for (const char *name : {"Command1", "Command2", "Command3"})
        connect(control<QAbstractButton>(m_form.get(), name), &QAbstractButton::clicked, this,
                [&seen, name] { seen << name; });
    QWidget *w = at(focus.toLatin1());
    w->setFocus();
    MessageBoxWatcher watcher; // empty boxes make the first GO's runtime error
    QKeyEvent press(QEvent::KeyPress, key,
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier, {}, repeat);
    QApplication::sendEvent(w, &press);
    QCOMPARE(seen, pressed.isEmpty() ? QStringList() : QStringList{pressed});
}

// Blue and underlined; red with a cross-hair over it until the pointer crosses the bare form,
// whatever control it passes; a click opens the home page.
void tst_Form1::link()
{
    QWidget *link = at("Label17");
    auto colour = [&] { return link->palette().color(link->foregroundRole()).name(); };
    QCOMPARE(colour(), QString("#0000ff"));
    QVERIFY(link->font().underline());
    QTest::mouseMove(link, QPoint(20, 10));
    QCOMPARE(colour(), QString("#ff0000"));
    QCOMPARE(m_form->cursor().shape(), Qt::CrossCursor);
    QTest::mouseMove(m_form.get(), at("Command2")->geometry().center());
    QCOMPARE(colour(), QString("#ff0000"));
    QTest::mouseMove(m_form.get(), QPoint(428, 300));
    QCOMPARE(colour(), QString("#0000ff"));
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);

    QDesktopServices::setUrlHandler("http", this, "open");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, 10));
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(m_opened, QList<QUrl>{QUrl(settings::HomePage)});
}

QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
