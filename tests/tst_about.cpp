#include "form1.h"
#include "frmabout.h"
#include "maker.h"
#include "memoryregistry.h"
#include "messageboxwatcher.h"
#include "picturebox.h"
#include "start.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace registry;

namespace {

const std::string Entry1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string Entry2 = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Unavailable = QStringLiteral("此时系统信息不可用");

QRect inTwips(const QRect &r)
{
    return {r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15};
}

} // namespace

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstOpening();
    void layout_data();
    void layout();
    void etchedSeparator();
    void tabOrder();
    void closes_data();
    void closes();
    void enterOnSysInfoPressesIt();
    void reopeningLoadsAfresh();
    void aboutWhileOpenRaisesTheSameDialog();
    void solversWorkWhileOpen();
    void launcher_data();
    void launcher();
    void quitsOnlyAfterBothWindowsClose_data();
    void quitsOnlyAfterBothWindowsClose();

private:
    rt::FormWindow *openAbout();
    template <typename T = QWidget> T *about(const char *name) const
    {
        return m_form->findChild<frmAbout *>()->window()->findChild<T *>(QLatin1String(name));
    }
    registry::MemoryRegistry m_registry;
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
    if (frmAbout *dialog = m_form->findChild<frmAbout *>())
        dialog->Unload();
    m_form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

rt::FormWindow *tst_About::openAbout()
{
    QTest::mouseClick(m_form->findChild<QWidget *>("Command2"), Qt::LeftButton);
    frmAbout *dialog = m_form->findChild<frmAbout *>();
    if (!dialog || !dialog->window())
        return nullptr;
    if (!QTest::qWaitForWindowActive(dialog->window()))
        return nullptr;
    return dialog->window();
}

void tst_About::firstOpening()
{
    QCOMPARE(m_form->findChild<frmAbout *>(), nullptr); // nothing made before the first press
    rt::FormWindow *window = openAbout();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QCOMPARE(window->parentWidget(), nullptr); // no owner
    QCOMPARE(window->windowTitle(), QString("关于 Quadrimo"));
    QCOMPARE(about<QLabel>("lblTitle")->text(), QString("Quadrimo"));
    QCOMPARE(about<QLabel>("lblVersion")->text(), QString("版本 1.0.0"));
    QCOMPARE(about<QLabel>("lblDescription")->text(),
             QString("适用于中国大陆义务教育初中阶段学生"));
    const QString disclaimer = about<QLabel>("lblDisclaimer")->text();
    QVERIFY(disclaimer.startsWith(
        "警告: 软件只用于研究学习，使用本软件造成的后果作者不予承担责任。传播请注明出处。  "));
    QVERIFY(disclaimer.contains(QString::fromUtf8(settings::Maker)));
    QVERIFY(disclaimer.contains(QString::fromUtf8(settings::Contact)));
    QVERIFY(!disclaimer.contains('\n'));
    QCOMPARE(QApplication::focusWidget(), about("cmdOK"));

    QCOMPARE(inTwips(window->geometry()), QRect(2340, 1935, 5730, 3555));
    QCOMPARE(window->minimumSize(), window->maximumSize()); // not resizable
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(about<QPushButton>("cmdOK")->isDefault(), true);

    const QPixmap icon = about<rt::PictureBox>("picIcon")->picture().pixmap(32, 32);
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(icon.toImage() != m_form->windowIcon().pixmap(32, 32).toImage());
}

void tst_About::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour"); // "" for the default
    auto row = [](const char *name, QRect twips, const char *text, const char *colour) {
        QTest::newRow(name) << QString(name) << twips << QString(text) << QString(colour);
    };

    row("picIcon", {240, 240, 540, 540}, "", "");
    row("cmdOK", {4125, 2625, 1500, 345}, "确定", "");
    row("cmdSysInfo", {4140, 3075, 1485, 345}, "系统信息(&S)...", "");
    row("lblDescription", {1050, 1125, 3885, 1170}, "适用于中国大陆义务教育初中阶段学生",
        "#000000");
    row("lblTitle", {1050, 240, 3885, 480}, "Quadrimo", "#000000");
    row("lblVersion", {1050, 780, 3885, 225}, "版本 1.0.0", "");
    row("lblDisclaimer", {255, 2625, 3630, 825}, "", "#000000");
}

void tst_About::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QVERIFY(openAbout());
    QWidget *w = about(name.toLatin1().constData());
    QVERIFY(w);
    QCOMPARE(inTwips(w->geometry()), twips);
    QCOMPARE(w->font(), QApplication::font(w)); // the default font throughout
    if (auto *label = qobject_cast<QLabel *>(w); label && !text.isEmpty())
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QPushButton *>(w))
        QCOMPARE(button->text(), text);
    if (!colour.isEmpty())
        QCOMPARE(w->palette().color(w->foregroundRole()).name(), colour);
}

void tst_About::etchedSeparator()
{
    rt::FormWindow *window = openAbout();
    QVERIFY(window);
    const QImage shot = window->grab().toImage();
    // Grey one pixel high at y 163 from x 6; white two pixels high below it, from x 7.
    QCOMPARE(QColor(shot.pixel(6, 163)).name(), QString("#808080"));
    QCOMPARE(QColor(shot.pixel(376, 163)).name(), QString("#808080"));
    QVERIFY(QColor(shot.pixel(6, 164)).name() != QString("#ffffff"));
    for (int y : {164, 165})
        for (int x : {7, 200, 376})
            QCOMPARE(QColor(shot.pixel(x, y)).name(), QString("#ffffff"));
    QVERIFY(QColor(shot.pixel(200, 166)).name() != QString("#ffffff"));
    QVERIFY(QColor(shot.pixel(200, 162)).name() != QString("#808080"));
}

void tst_About::tabOrder()
{
    QVERIFY(openAbout());
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"picIcon", "cmdSysInfo", "cmdOK"}));
}

void tst_About::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("focus");
    auto row = [](const char *name, const char *how, const char *focus) {
        QTest::newRow(name) << QString(how) << QString(focus);
    };
    row("Esc", "esc", "cmdOK");
    row("Esc on cmdSysInfo", "esc", "cmdSysInfo");
    row("Enter", "enter", "cmdOK");
    row("Enter on picIcon", "enter", "picIcon");
    row("Space on cmdOK", "space", "cmdOK");
    row("click cmdOK", "click", "cmdOK");
    row("window frame", "frame", "cmdOK");
}

void tst_About::closes()
{
    QFETCH(QString, how);
    QFETCH(QString, focus);
    rt::FormWindow *window = openAbout();
    QVERIFY(window);
    frmAbout *dialog = m_form->findChild<frmAbout *>();
    QPointer<QWidget> button = about("cmdOK");
    about(focus.toLatin1().constData())->setFocus();

    MessageBoxWatcher boxes;
    if (how == "esc")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (how == "enter")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else if (how == "space")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    else if (how == "click")
        QTest::mouseClick(button, Qt::LeftButton);
    else
        window->close();

    QVERIFY(!dialog->window());
    QCOMPARE(m_form->findChild<frmAbout *>(), dialog); // the object stays
    QTRY_VERIFY(button.isNull());                      // window and controls go
    QVERIFY(boxes.seen().isEmpty());
    QVERIFY(m_form->isVisible());
}

void tst_About::enterOnSysInfoPressesIt()
{
    QVERIFY(openAbout());
    about("cmdSysInfo")->setFocus();
    MessageBoxWatcher boxes;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(boxes.texts(), QStringList{Unavailable});
    QVERIFY(m_form->findChild<frmAbout *>()->window());
}

void tst_About::reopeningLoadsAfresh()
{
    QVERIFY(openAbout());
    about<QLabel>("lblTitle")->setText("changed");
    m_form->findChild<frmAbout *>()->window()->setWindowTitle("changed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    rt::FormWindow *window = openAbout();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("关于 Quadrimo"));
    QCOMPARE(about<QLabel>("lblTitle")->text(), QString("Quadrimo"));
    QCOMPARE(about<QLabel>("lblVersion")->text(), QString("版本 1.0.0"));
    QCOMPARE(QApplication::focusWidget(), about("cmdOK"));
}

void tst_About::aboutWhileOpenRaisesTheSameDialog()
{
    rt::FormWindow *window = openAbout();
    QVERIFY(window);
    about<QLabel>("lblTitle")->setText("kept");
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));

    QCOMPARE(openAbout(), window);
    QCOMPARE(QApplication::activeWindow(), window);
    QCOMPARE(about<QLabel>("lblTitle")->text(), QString("kept")); // Load did not run again
    int dialogs = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        dialogs += qobject_cast<rt::FormWindow *>(w) && w->isVisible();
    QCOMPARE(dialogs, 1);
}

void tst_About::solversWorkWhileOpen()
{
    QVERIFY(openAbout());
    const char *boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
    const char *typed[] = {"1", "-3", "2", "1", "3", "2", "5"};
    for (int i = 0; i < 7; ++i) {
        QWidget *box = m_form->findChild<QWidget *>(boxes[i]);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, typed[i]);
    }
    QTest::mouseClick(m_form->findChild<QWidget *>("Command1"), Qt::LeftButton);
    QTest::mouseClick(m_form->findChild<QWidget *>("Command3"), Qt::LeftButton);
    QCOMPARE(m_form->findChild<QLabel *>("Label4")->text(), QString("X1= 1    X2= 2"));
    QCOMPARE(m_form->findChild<QLabel *>("Label16")->text(), QString("Y= 2 X  + 1"));
    QVERIFY(m_form->findChild<frmAbout *>()->window()->isVisible());
}

void tst_About::launcher_data()
{
    // Entry 1: "", "helper", "read-only helper", "missing program", "expand", "dword", "no data".
    // Entry 2: "", "with tool", "without tool". Started: which helper ran, if any.
    QTest::addColumn<QString>("entry1");
    QTest::addColumn<QString>("entry2");
    QTest::addColumn<QString>("started");
    auto row = [](const char *name, const char *entry1, const char *entry2, const char *started) {
        QTest::newRow(name) << QString(entry1) << QString(entry2) << QString(started);
    };
    row("entry 1 names the tool", "helper", "with tool", "entry1");
    row("entry 1 on a read-only key", "read-only helper", "", "entry1");
    row("entry 2 folder holds the tool", "", "with tool", "entry2");
    row("entry 2 folder lacks the tool", "", "without tool", "");
    row("both entries missing", "", "", "");
    row("entry 1 names no program; entry 2 unread", "missing program", "with tool", "");
    row("entry 1 expandable string", "expand", "with tool", "");
    row("entry 1 double word", "dword", "", "");
    row("entry 1 without data", "no data", "with tool", "");
}

void tst_About::launcher()
{
    QFETCH(QString, entry1);
    QFETCH(QString, entry2);
    QFETCH(QString, started);

    // Real helper programs that note that they ran.
    const QString marker = m_dir.filePath(QString("ran-%1").arg(QTest::currentDataTag()));
    auto helper = [&](const QString &path, const QString &name) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QString("#!/bin/sh\necho %1 > '%2'\n").arg(name, marker).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    };
    QDir(m_dir.path()).mkpath("tool");
    QDir(m_dir.path()).mkpath("empty");
    helper(m_dir.filePath("tool/MSINFO32.EXE"), "entry2");
    helper(m_dir.filePath("helper1"), "entry1");

    MemoryRegistry &reg = m_registry;
    const std::string helper1 = m_dir.filePath("helper1").toStdString();
    if (entry1 == "helper")
        reg.setString(LocalMachine, Entry1, "PATH", helper1);
    else if (entry1 == "read-only helper") {
        reg.addKey(LocalMachine, Entry1, KeyRead);
        reg.setString(LocalMachine, Entry1, "PATH", helper1);
    } else if (entry1 == "missing program")
        reg.setString(LocalMachine, Entry1, "PATH", m_dir.filePath("nothing").toStdString());
    else if (entry1 == "expand")
        reg.setValue(LocalMachine, Entry1, "PATH", TypeExpandString, {'x', 0});
    else if (entry1 == "dword")
        reg.setDword(LocalMachine, Entry1, "PATH", 256);
    else if (entry1 == "no data")
        reg.setValue(LocalMachine, Entry1, "PATH", TypeString, {});
    if (entry2 == "with tool")
        reg.setString(LocalMachine, Entry2, "MSINFO", m_dir.filePath("tool").toStdString());
    else if (entry2 == "without tool")
        reg.setString(LocalMachine, Entry2, "MSINFO", m_dir.filePath("empty").toStdString());

    QVERIFY(openAbout());
    MessageBoxWatcher boxes;
    QTest::mouseClick(about("cmdSysInfo"), Qt::LeftButton);

    if (started.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList{Unavailable});
        QCOMPARE(boxes.seen()[0].title, QString("Quadrimo"));
        QCOMPARE(boxes.seen()[0].buttons, QStringList{"确定"});
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker));
    } else {
        QVERIFY(boxes.seen().isEmpty());
        auto ran = [&] {
            QFile f(marker);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed()
                                               : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(ran(), started, 5000);
    }
    QCOMPARE(reg.openHandles(), 0);
    QVERIFY(m_form->findChild<frmAbout *>()->window()); // the dialog stays in every case
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
    rt::FormWindow *window = openAbout();
    QVERIFY(window);

    bool stillRunning = false;
    QTimer::singleShot(0, [&] {
        if (mainFirst)
            m_form->close();
        else
            QTest::keyClick(window, Qt::Key_Escape);
    });
    QTimer::singleShot(100, [&] {
        stillRunning = true; // the loop is still turning with one window left
        if (mainFirst) {
            QVERIFY(window->isVisible());
            QTest::keyClick(m_form->findChild<frmAbout *>()->window(), Qt::Key_Escape);
        } else {
            QVERIFY(m_form->isVisible());
            m_form->close();
        }
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // must not be needed
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(stillRunning);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
