#include "forms/main/form1.h"
#include "runtime/start.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

QString accessible(QWidget *w, QAccessible::Text what)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : QString();
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void names_data();
    void names();
    void resultLabelsAreNamedByTheirAnswer_data();
    void resultLabelsAreNamedByTheirAnswer();

private:
    QWidget *control(const QString &name) const { return m_form->findChild<QWidget *>(name); }
    std::unique_ptr<Form1> m_form;
};

void tst_Accessibility::initTestCase()
{
    rt::initialize();
}

void tst_Accessibility::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_Accessibility::cleanup()
{
    m_form.reset();
}

void tst_Accessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const int edit = QAccessible::EditableText;
    const int button = QAccessible::Button;
    const int label = QAccessible::StaticText;
    // Text boxes have no caption of their own; buttons and labels are named by their caption.
    QTest::newRow("Text1") << "Text1" << edit << "二次项系数 a"
                           << "";
    QTest::newRow("Text2") << "Text2" << edit << "一次项系数 b"
                           << "";
    QTest::newRow("Text3") << "Text3" << edit << "常数项 c"
                           << "";
    QTest::newRow("Text4") << "Text4" << edit << "坐标1 横坐标 x1"
                           << "";
    QTest::newRow("Text5") << "Text5" << edit << "坐标1 纵坐标 y1"
                           << "";
    QTest::newRow("Text6") << "Text6" << edit << "坐标2 横坐标 x2"
                           << "";
    QTest::newRow("Text7") << "Text7" << edit << "坐标2 纵坐标 y2"
                           << "";
    QTest::newRow("Command1") << "Command1" << button << "GO"
                              << "求方程 aX²+bX+c=0 的实数根";
    QTest::newRow("Command3") << "Command3" << button << "GO"
                              << "求过两点的一次函数 Y=kX+b";
    QTest::newRow("Command2") << "Command2" << button << "About"
                              << "关于本程序";
    QTest::newRow("Label4") << "Label4" << label << ""
                            << "方程的解";
    QTest::newRow("Label16") << "Label16" << label << ""
                             << "过两点的一次函数";
    QTest::newRow("Label17") << "Label17" << label << "了解更多请访问我的空间 Zorvel"
                             << "在浏览器中打开作者的主页";
    QTest::newRow("Label6") << "Label6" << label << "二次函数Quadrimo"
                            << "";
    QTest::newRow("Label8") << "Label8" << label << "坐标1"
                            << "";
}

void tst_Accessibility::names()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget *w = this->control(control);
    QVERIFY(w);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        QVERIFY(edit->text().isEmpty()); // nothing visible changes
}

void tst_Accessibility::resultLabelsAreNamedByTheirAnswer_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("answer");
    QTest::newRow("quadratic") << QStringList{"Text1", "Text2", "Text3"}
                               << QStringList{"1", "-3", "2"} << "Command1"
                               << "Label4"
                               << "X1= 1    X2= 2";
    QTest::newRow("line") << QStringList{"Text4", "Text5", "Text6", "Text7"}
                          << QStringList{"1", "3", "2", "5"} << "Command3"
                          << "Label16"
                          << "Y= 2 X  + 1";
}

void tst_Accessibility::resultLabelsAreNamedByTheirAnswer()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, texts);
    QFETCH(QString, button);
    QFETCH(QString, label);
    QFETCH(QString, answer);
    for (int i = 0; i < boxes.size(); ++i)
        QTest::keyClicks(control(boxes[i]), texts[i]);
    QTest::mouseClick(control(button), Qt::LeftButton);
    // What a listener hears is the answer. That it is announced when written is seen on the
    // accessibility bus by the end-to-end test.
    QCOMPARE(accessible(control(label), QAccessible::Name), answer);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
