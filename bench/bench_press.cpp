// From a press of "GO" to the caption in the result label, through the window's wiring; the
// worked solution's window from nothing to its pixels, and from one method to another.
#include "conversions.h"
#include "form1.h"
#include "frmsolution.h"
#include "registry.h"
#include "start.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class bench_Press : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { rt::initialize(); }
    void press_data();
    void press();
    void openSolution();
    void switchMethod();

private:
    const solvers::Solution m_solution =
        solvers::quadraticSolution(rt::ValNumber(u"1"), rt::ValNumber(u"-8"), rt::ValNumber(u"1"));
};

void bench_Press::press_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("label");
    QTest::newRow("quadratic") << "Command1" << QStringList{"1", "-3", "2"} << "Label4";
    QTest::newRow("line") << "Command3" << QStringList{"1", "0", "4", "1"} << "Label16";
}

void bench_Press::press()
{
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    QFETCH(QString, label);
    Form1 form(registry::systemRegistry());
    form.show();
    const int first = button == "Command1" ? 1 : 4;
    for (int i = 0; i < texts.size(); ++i)
        form.findChild<QLineEdit *>(QString("Text%1").arg(first + i))->setText(texts[i]);
    auto *go = form.findChild<QPushButton *>(button);
    auto *result = form.findChild<QLabel *>(label);
    QBENCHMARK
    {
        result->clear();
        go->click();
    }
    QVERIFY(!result->text().isEmpty());
}

void bench_Press::openSolution()
{
    QWidget owner;
    QBENCHMARK
    {
        frmSolution window(&owner);
        window.setSolution(m_solution);
        window.show();
        window.grab(); // laid out and painted, text and graph
    }
}

// As a user picks it: the other method's working, painted.
void bench_Press::switchMethod()
{
    QWidget owner;
    frmSolution window(&owner);
    window.setSolution(m_solution);
    window.show();
    auto *method = window.findChild<QComboBox *>("cboMethod");
    auto *steps = window.findChild<QPlainTextEdit *>("txtSteps");
    int key = Qt::Key_End;
    QBENCHMARK
    {
        QTest::keyClick(method, Qt::Key(key));
        steps->grab();
        key = key == Qt::Key_End ? Qt::Key_Home : Qt::Key_End;
    }
    QVERIFY(steps->toPlainText().startsWith(QString::fromUtf16(u"解方程")));
}

QTEST_MAIN(bench_Press)
#include "bench_press.moc"
