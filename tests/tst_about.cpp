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
    QWidget *open(); // the dialog's window after a press of "About", or null
    MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
    QTemporaryDir m_dir;
};

void tst_About::initTestCase()
{
    rt::initialize();
    const QString tools = m_dir.filePath("程序 Files/");
    QVERIFY(QDir(tools).mkpath("tool") && QDir(tools).mkpath("empty"));
    for (const auto &[path, name] :
         {std::pair{"tool/MSINFO32.EXE", "entry2"}, std::pair{"msinfo32 helper", "entry1"}}) {
        QFile f(tools + path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QString("#!/bin/sh\necho %1 > '%2'\n").arg(name, m_dir.filePath("ran")).toUtf8());
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
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
    QCOMPARE(control<QLabel>(window, "lblVersion")->text(), QString("版本 1.0.0"));
    QVERIFY(control<QLabel>(window, "lblDisclaimer")
                ->text()
                .endsWith(QString("制作: %1  联系: %2")
                              .arg(QString::fromUtf8(settings::Maker),
                                   QString::fromUtf8(settings::Contact))));
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
    QPointer<QWidget> ok = control(window, "cmdOK");
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
    // The registry's PATH entry ("" none, "dword" a double word), its MSINFO folder, and which
    // helper program ran, if any.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("started");
    auto row = [](const char *name, const char *path, const char *folder, const char *started) {
        QTest::newRow(name) << path << folder << started;
    };
    row("entry 1 names the tool", "msinfo32 helper", "tool", "entry1");
    row("entry 2 folder holds the tool", "", "tool", "entry2");
    row("entry 2 folder lacks the tool", "", "empty", "");
    row("both missing", "", "", "");
    row("entry 1 names no program", "nothing", "tool", "");
    row("entry 1 a double word", "dword", "", "");
}

// The helper programs live in folders with Chinese characters and blanks in their names and note
// that they ran.
void tst_About::launcher()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, started);
    const QString tools = m_dir.filePath("程序 Files/");
    QFile::remove(m_dir.filePath("ran"));
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools";
    if (path == "dword")
        m_registry.setValue(key + "\\MSINFO", "PATH", TypeDword, {"\0\1\0\0", 4});
    else if (!path.isEmpty())
        m_registry.setValue(key + "\\MSINFO", "PATH", TypeString, (tools + path).toStdString());
    if (!folder.isEmpty())
        m_registry.setValue(key + " Location", "MSINFO", TypeString,
                            (tools + folder).toStdString());

    QWidget *window = open();
    QVERIFY(window);
    MessageBoxWatcher watcher;
    QTest::mouseClick(control(window, "cmdSysInfo"), Qt::LeftButton);
    auto ran = [&] {
        QFile f(m_dir.filePath("ran"));
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
    QVERIFY(window->isVisible());
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
