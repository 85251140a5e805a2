#include "form1.h"
#include "frmabout.h"
#include "maker.h"
#include "memoryregistry.h"
#include "start.h"
#include "support.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
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
    void launcher_data();
    void launcher();
    void quitsOnlyAfterBothWindowsClose();

private:
    QWidget *open(); // the dialog's window after a press of "About", or null
    MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
    QTemporaryDir m_dir;
};

// The stand-ins for the system-information tool are copies of this program, which note which
// entry started them (see main).
void tst_About::initTestCase()
{
    rt::initialize();
    const QString tools = m_dir.filePath("程序 Files/");
    QVERIFY(QDir(tools).mkpath("tool"));
    for (const char *path : {"tool/MSINFO32.EXE", "msinfo32 helper.exe"})
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), tools + path));
    qputenv("QUADRIMO_TOOL_RAN", QDir::toNativeSeparators(m_dir.filePath("ran")).toLocal8Bit());
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
                              .arg(QString::fromUtf16(settings::Maker),
                                   QString::fromUtf16(settings::Contact))));
    QCOMPARE(control<QLabel>(window, "lblTitle")->text(), QString("Quadrimo"));
    QCOMPARE(window->geometry().topLeft(), QPoint(2340, 1935) / 15); // where it was stored
    // The etched separator, grey over white, and the icon.
    const QImage shot = window->grab().toImage();
    QCOMPARE(QColor(shot.pixel(200, 163)).name(), QString("#808080"));
    QCOMPARE(QColor(shot.pixel(200, 164)).name(), QString("#ffffff"));
    const QImage icon = control(window, "picIcon")->grab().toImage();
    QImage blank(icon.size(), icon.format());
    blank.fill(icon.pixel(0, 0));
    QVERIFY(icon != blank);
    QCOMPARE(open(), window);
    int shown = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        shown += w->isVisible() && w != m_form.get();
    QCOMPARE(shown, 1);
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
    row("entry 1 names the tool", "msinfo32 helper.exe", "tool", "entry1");
    row("entry 2 folder holds the tool", "", "tool", "entry2");
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
        m_registry.setValue(key + "\\MSINFO", "PATH", TypeString,
                            QDir::toNativeSeparators(tools + path).toLocal8Bit().toStdString());
    if (!folder.isEmpty())
        m_registry.setValue(key + " Location", "MSINFO", TypeString,
                            QDir::toNativeSeparators(tools + folder).toLocal8Bit().toStdString());

    QWidget *window = open();
    QVERIFY(window);
    MessageBoxWatcher watcher;
    QTest::keyClick(window, Qt::Key_S, Qt::AltModifier); // "系统信息(&S)..."
    auto ran = [&] {
        QFile f(m_dir.filePath("ran"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    };
    if (started.isEmpty()) {
        QTRY_COMPARE(watcher.boxes().size(), 1); // the access key clicks after a moment
        QCOMPARE(watcher.boxes()[0].text, QString("此时系统信息不可用"));
        QCOMPARE(watcher.boxes()[0].buttons, QStringList{"确定"});
        QTest::qWait(200);
        QCOMPARE(ran(), QString());
    } else {
        QVERIFY(watcher.boxes().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(ran(), started, 30000); // a loaded machine starts it slowly
    }
    QCOMPARE(m_registry.openHandles(), 0);
    QVERIFY(window->isVisible());
}

// Closing the main window leaves the program running until the About dialog is closed too,
// here with Enter.
void tst_About::quitsOnlyAfterBothWindowsClose()
{
    QWidget *window = open();
    QVERIFY(window);
    bool stillRunning = false;
    QTimer::singleShot(0, m_form.get(), &QWidget::close);
    QTimer::singleShot(100, [&] {
        stillRunning = window->isVisible();      // the loop still turns with one window left
        QTest::keyClick(window, Qt::Key_Return); // presses 确定
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // must not be needed
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(stillRunning);
}

int main(int argc, char *argv[])
{
    // Started by the launcher in place of the system-information tool: note which entry did it.
    const QString self = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    if (qEnvironmentVariableIsSet("QUADRIMO_TOOL_RAN") && !self.startsWith("tst_about")) {
        QFile ran(qEnvironmentVariable("QUADRIMO_TOOL_RAN"));
        return ran.open(QIODevice::WriteOnly) &&
                       ran.write(self.startsWith("MSINFO32") ? "entry2" : "entry1") > 0
                   ? 0
                   : 1;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_About test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_about.moc"
