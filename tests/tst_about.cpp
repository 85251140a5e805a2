#include "form.h"
#include "form1.h"
#include "frmabout.h"
#include "maker.h"
#include "memoryregistry.h"
#include "start.h"
#include "support.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

using namespace registry;

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensOnce();
    void closes_data();
    void closes();
    void launcher_data();
    void launcher();
    void quitsOnlyAfterBothWindowsClose_data();
    void quitsOnlyAfterBothWindowsClose();

private:
    // The dialog's window after a press of "About", or null.
    QWidget *open();
    QWidget *about(const char *name) const
    {
        return control(m_form->findChild<frmAbout *>()->window(), name);
    }
    MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
    QTemporaryDir m_dir;
};

void tst_About::initTestCase()
{
    rt::initialize();
    QVERIFY(m_dir.isValid());
}

void tst_About::init()
{
    m_registry = MemoryRegistry();
    m_form = std::make_unique<Form1>(m_registry);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void tst_About::cleanup()
{
    m_form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *tst_About::open()
{
    QTest::mouseClick(control(m_form.get(), "Command2"), Qt::LeftButton);
    auto *dialog = m_form->findChild<frmAbout *>();
    QWidget *window = dialog ? dialog->window() : nullptr;
    return window && QTest::qWaitForWindowActive(window) ? window : nullptr;
}

// Modeless, without an owner, with a close button in its frame; a second press raises it.
void tst_About::opensOnce()
{
    QWidget *window = open();
    QVERIFY(window);
    QVERIFY(!window->isModal() && !window->parentWidget());
    QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(window->windowTitle(), QString("关于 Quadrimo"));
    QCOMPARE(qobject_cast<QLabel *>(about("lblVersion"))->text(), QString("版本 1.0.0"));
    const QString disclaimer = qobject_cast<QLabel *>(about("lblDisclaimer"))->text();
    QVERIFY(disclaimer.endsWith(
        QString("制作: %1  联系: %2")
            .arg(QString::fromUtf8(settings::Maker), QString::fromUtf8(settings::Contact))));
    QCOMPARE(open(), window);
    int shown = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        shown += w->isVisible() && w != m_form.get();
    QCOMPARE(shown, 1);
}

void tst_About::closes_data()
{
    QTest::addColumn<int>("key"); // 0: the frame's close button
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("frame") << 0;
}

// Closed, the window and its controls go; the next press loads the dialog afresh.
void tst_About::closes()
{
    QFETCH(int, key);
    QWidget *window = open();
    QVERIFY(window);
    window->setWindowTitle("changed");
    QPointer<QWidget> ok = about("cmdOK");
    if (key)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    else
        window->close();
    QTRY_VERIFY(ok.isNull());
    QVERIFY(m_form->isVisible());
    QCOMPARE(open()->windowTitle(), QString("关于 Quadrimo"));
}

void tst_About::launcher_data()
{
    // The registry's two entries and which helper ran, if any.
    QTest::addColumn<QString>("entry1"); // "PATH": "", "helper", "missing program", "dword"
    QTest::addColumn<QString>("entry2"); // "MSINFO": "", "with tool", "without tool"
    QTest::addColumn<QString>("started");
    QTest::newRow("entry 1 names the tool") << "helper"
                                            << "with tool"
                                            << "entry1";
    QTest::newRow("entry 2 folder holds the tool") << ""
                                                   << "with tool"
                                                   << "entry2";
    QTest::newRow("entry 2 folder lacks the tool") << ""
                                                   << "without tool"
                                                   << "";
    QTest::newRow("both missing") << ""
                                  << ""
                                  << "";
    QTest::newRow("entry 1 names no program") << "missing program"
                                              << "with tool"
                                              << "";
    QTest::newRow("entry 1 a double word") << "dword"
                                           << ""
                                           << "";
}

// Helper programs in folders with blanks in their names note that they ran.
void tst_About::launcher()
{
    QFETCH(QString, entry1);
    QFETCH(QString, entry2);
    QFETCH(QString, started);
    const QString marker = m_dir.filePath(QString("ran-%1").arg(QTest::currentDataTag()));
    const QString tools = m_dir.filePath("Program Files");
    QDir(tools).mkpath("tool");
    QDir(tools).mkpath("empty");
    for (const auto &[path, name] : {std::pair{tools + "/tool/MSINFO32.EXE", "entry2"},
                                     std::pair{tools + "/msinfo32 helper", "entry1"}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QString("#!/bin/sh\necho %1 > '%2'\n").arg(name, marker).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    const std::string entry1Key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string entry2Key = "SOFTWARE\\Microsoft\\Shared Tools Location";
    if (entry1 == "helper")
        m_registry.setString(LocalMachine, entry1Key, "PATH",
                             (tools + "/msinfo32 helper").toStdString());
    else if (entry1 == "missing program")
        m_registry.setString(LocalMachine, entry1Key, "PATH", (tools + "/nothing").toStdString());
    else if (entry1 == "dword")
        m_registry.setDword(LocalMachine, entry1Key, "PATH", 256);
    if (!entry2.isEmpty())
        m_registry.setString(LocalMachine, entry2Key, "MSINFO",
                             (tools + (entry2 == "with tool" ? "/tool" : "/empty")).toStdString());

    QVERIFY(open());
    MessageBoxWatcher watcher;
    QTest::mouseClick(about("cmdSysInfo"), Qt::LeftButton);
    auto ran = [&] {
        QFile f(marker);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    };
    if (started.isEmpty()) {
        QCOMPARE(watcher.boxes().size(), 1);
        QCOMPARE(watcher.boxes()[0].text, QString("此时系统信息不可用"));
        QCOMPARE(watcher.boxes()[0].buttons, QStringList{"确定"});
        QTest::qWait(200);
        QCOMPARE(ran(), QString());
    } else {
        QVERIFY(watcher.boxes().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(ran(), started, 5000);
    }
    QCOMPARE(m_registry.openHandles(), 0);
    QVERIFY(m_form->findChild<frmAbout *>()->window()->isVisible());
}

void tst_About::quitsOnlyAfterBothWindowsClose_data()
{
    QTest::addColumn<bool>("mainFirst");
    QTest::newRow("main window first") << true;
    QTest::newRow("About first") << false;
}

void tst_About::quitsOnlyAfterBothWindowsClose()
{
    QFETCH(bool, mainFirst);
    QWidget *window = open();
    QVERIFY(window);
    QWidget *first = mainFirst ? static_cast<QWidget *>(m_form.get()) : window;
    QWidget *second = mainFirst ? window : static_cast<QWidget *>(m_form.get());
    bool stillRunning = false;
    QTimer::singleShot(0, first, &QWidget::close);
    QTimer::singleShot(100, [&] {
        stillRunning = second->isVisible(); // the loop still turns with one window left
        second->close();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // must not be needed
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(stillRunning);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
