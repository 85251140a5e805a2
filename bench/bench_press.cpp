// From a press of "GO" to the caption in the result label, through the window's wiring.
#include "form1.h"
#include "registry.h"
#include "start.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class bench_Press : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { rt::initialize(); }
    void press_data();
    void press();
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

QTEST_MAIN(bench_Press)
#include "bench_press.moc"
