#include "form1.h"
#include "frmabout.h"
#include "memoryregistry.h"
#include "messageboxwatcher.h"
#include "start.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const char *const Boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
const QString Overflow = QStringLiteral("运行时错误 '6':\n\n溢出");

} // namespace

class tst_Robustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void hostileText_data();
    void hostileText();
    void pastedLines();
    void thousandPresses();
    void aboutTwoHundredTimes();

private:
    template <typename T = QWidget> T *control(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    void press(const char *button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    void fill(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            control<QLineEdit>(Boxes[i])->setText(texts[i]);
    }

    registry::MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<QSignalSpy> m_quit;
};

void tst_Robustness::initTestCase()
{
    rt::initialize();
    m_quit = std::make_unique<QSignalSpy>(qApp, &QCoreApplication::aboutToQuit);
}

void tst_Robustness::init()
{
    m_form = std::make_unique<Form1>(m_registry);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void tst_Robustness::cleanup()
{
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_quit->count(), 0); // the program never ends
    m_form.reset();
}

void tst_Robustness::hostileText_data()
{
    QTest::addColumn<QString>("text"); // typed into every box
    QTest::addColumn<QString>("label4");
    QTest::addColumn<QString>("label16");
    QTest::addColumn<QStringList>("messages");

    const QString refused = "ERROR! 请检查输入的坐标";
    QTest::newRow("100,000 digits") << QString(100000, u'7') << ""
                                    << "" // both overflow
                                    << QStringList{Overflow, Overflow};
    QTest::newRow("100,000 blanks, then a digit") << QString(99999, u' ') + "2"
                                                  << "△小于0，无解！" << refused << QStringList{};
    QTest::newRow("100,000 digits after the point")
        << "0." + QString(99998, u'3') << "△小于0，无解！" << refused << QStringList{};
    QTest::newRow("100,000 zeros after the point") << "0." + QString(99998, u'0') + "5"
                                                   << "" << refused << QStringList{Overflow};
    QTest::newRow("100,000 emoji")
        << QString("🙂").repeated(50000) << "" << refused << QStringList{Overflow};
    QTest::newRow("control characters") << QString("\x01\x1b\x7f") + "5"
                                        << "" << refused << QStringList{Overflow};
    QTest::newRow("right-to-left text") << "\u202e٣שלום"
                                        << "" << refused << QStringList{Overflow};
    QTest::newRow("full-width number") << "－１．５"
                                       << "△小于0，无解！" << refused << QStringList{};
}

void tst_Robustness::hostileText()
{
    QFETCH(QString, text);
    QFETCH(QString, label4);
    QFETCH(QString, label16);
    QFETCH(QStringList, messages);

    fill(QStringList(7, text));
    MessageBoxWatcher boxes;
    press("Command1");
    press("Command3");
    QCOMPARE(boxes.texts(), messages);
    QCOMPARE(control<QLabel>("Label4")->text(), label4);
    QCOMPARE(control<QLabel>("Label16")->text(), label16);
    for (const char *name : Boxes)
        QCOMPARE(control<QLineEdit>(name)->text(), text); // the boxes keep what was typed
}

void tst_Robustness::pastedLines()
{
    // Pasted text with line breaks: whatever the box keeps is what the solver reads.
    QGuiApplication::clipboard()->setText("1\n-3\r\n2");
    for (const char *name : {"Text1", "Text4"}) {
        QWidget *box = control(name);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    const QString kept = control<QLineEdit>("Text1")->text();
    QVERIFY(!kept.isEmpty());
    QCOMPARE(control<QLineEdit>("Text4")->text(), kept);
    fill({kept, "-3", "2", kept, "0", "4", "1"});
    MessageBoxWatcher boxes;
    press("Command1");
    press("Command3");
    QVERIFY(boxes.seen().isEmpty());
    // Val stops at the carriage return or reads across the line feed: 1 or 1-32 → 1.
    QCOMPARE(control<QLabel>("Label4")->text(), QString("X1= 1    X2= 2"));
    QCOMPARE(control<QLabel>("Label16")->text(),
             QString("Y= 0.333333333333333 X  +-0.333333333333333"));
}

void tst_Robustness::thousandPresses()
{
    MessageBoxWatcher boxes;
    int errors = 0;
    for (int i = 0; i < 1000; ++i) {
        const bool fail = i % 2 == 1;
        fill(fail ? QStringList{"0", "0", "0", "0", "-1e308", "1", "1e308"}
                  : QStringList{"1", "-3", "2", "1", "3", "2", "5"});
        press("Command1");
        press("Command3");
        errors += fail ? 2 : 0;
        QCOMPARE(boxes.seen().size(), errors);
        QCOMPARE(control<QLabel>("Label4")->text(), QString("X1= 1    X2= 2"));
        QCOMPARE(control<QLabel>("Label16")->text(), QString("Y= 2 X  + 1"));
    }
    QCOMPARE(boxes.texts(), QStringList(1000, Overflow));
}

void tst_Robustness::aboutTwoHundredTimes()
{
    auto settle = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    };
    // The first opening makes the one dialog object; widgets counted from there.
    press("Command2");
    QTest::keyClick(m_form->findChild<frmAbout *>()->window(), Qt::Key_Escape);
    settle();
    const qsizetype widgets = QApplication::allWidgets().size();
    for (int i = 0; i < 200; ++i) {
        press("Command2");
        rt::FormWindow *window = m_form->findChild<frmAbout *>()->window();
        QVERIFY(window && window->isVisible());
        QTest::keyClick(window, i % 2 ? Qt::Key_Escape : Qt::Key_Return);
        QVERIFY(!m_form->findChild<frmAbout *>()->window());
        settle();
    }
    QCOMPARE(QApplication::allWidgets().size(), widgets);
}

QTEST_MAIN(tst_Robustness)
#include "tst_robustness.moc"
