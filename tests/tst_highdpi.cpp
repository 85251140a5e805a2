#include "form1.h"
#include "frmabout.h"
#include "memoryregistry.h"
#include "picturebox.h"
#include "start.h"

#include <QLabel>
#include <QTest>
#include <memory>

// Run with QT_SCALE_FACTOR set: the windows keep their layout in device-independent pixels and
// draw with as many device pixels as the screen has.
class tst_HighDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void mainWindowKeepsItsProportions();
    void textIsDrawnAtFullResolution();
    void iconsAreSharp();
    void aboutKeepsItsProportions();

private:
    QWidget *control(const char *name) const { return m_form->findChild<QWidget *>(name); }
    qreal m_factor = 1;
    registry::MemoryRegistry m_registry;
    std::unique_ptr<Form1> m_form;
};

void tst_HighDpi::initTestCase()
{
    rt::initialize();
    m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    QVERIFY2(m_factor > 1, "run with QT_SCALE_FACTOR above 1");
}

void tst_HighDpi::init()
{
    m_form = std::make_unique<Form1>(m_registry);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_HighDpi::cleanup()
{
    if (frmAbout *about = m_form->findChild<frmAbout *>())
        about->Unload();
    m_form.reset();
}

void tst_HighDpi::mainWindowKeepsItsProportions()
{
    QCOMPARE(m_form->devicePixelRatioF(), m_factor);
    QCOMPARE(m_form->size(), QSize(430, 432)); // 6450 × 6480 twips
    // A few controls from each group, in twips.
    const struct
    {
        const char *name;
        QRect twips;
    } expected[] = {
        {"Text1", {360, 600, 615, 615}},      {"Command1", {5640, 600, 735, 1695}},
        {"Label4", {360, 1560, 4815, 615}},   {"Label10", {1920, 2880, 375, 615}},
        {"Label16", {360, 4080, 4695, 1215}}, {"Label17", {1680, 6000, 4695, 375}},
    };
    for (const auto &e : expected) {
        const QRect g = control(e.name)->geometry();
        QCOMPARE(QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15), e.twips);
    }
    // The separator: 3 device-independent pixels, so 3 × factor device pixels of dark grey.
    const QImage shot = m_form->grab().toImage();
    QCOMPARE(shot.size(), (QSizeF(430, 432) * m_factor).toSize());
    int grey = 0;
    for (int y = 0; y < shot.height(); ++y)
        grey += QColor(shot.pixel(shot.width() / 2, y)).name() == "#404040";
    QVERIFY2(qAbs(grey - 3 * m_factor) <= 1, qPrintable(QString::number(grey)));
}

void tst_HighDpi::textIsDrawnAtFullResolution()
{
    auto *heading = qobject_cast<QLabel *>(control("Label6"));
    const QImage shot = heading->grab().toImage();
    QCOMPARE(shot.size(), (QSizeF(heading->size()) * m_factor).toSize());
    if (m_factor != 2)
        return;
    // A 1× rendering scaled up repeats every pixel in pairs; glyphs rasterised for the device
    // pixels do not.
    int pairs = 0;
    int split = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x + 1 < shot.width(); x += 2) {
            const QRgb a = shot.pixel(x, y);
            const QRgb b = shot.pixel(x + 1, y);
            if (a == shot.pixel(0, 0) && b == a)
                continue; // background
            ++pairs;
            split += a != b;
        }
    QVERIFY(pairs > 100);
    QVERIFY2(split * 4 > pairs, qPrintable(QString("%1 of %2").arg(split).arg(pairs)));
}

void tst_HighDpi::iconsAreSharp()
{
    // An image made for the ratio, not the 32×32 one scaled up.
    const QPixmap window = m_form->windowIcon().pixmap(QSize(32, 32), m_factor);
    QVERIFY(window.width() >= qRound(32 * m_factor));
    QVERIFY(m_form->windowIcon().availableSizes().contains(QSize(64, 64)));

    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    auto *picture =
        m_form->findChild<frmAbout *>()->window()->findChild<rt::PictureBox *>("picIcon");
    QVERIFY(picture);
    QVERIFY(picture->picture().availableSizes().contains(QSize(64, 64)));
    const QImage drawn = picture->grab().toImage();
    QCOMPARE(drawn.size(), (QSizeF(36, 36) * m_factor).toSize());
}

void tst_HighDpi::aboutKeepsItsProportions()
{
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    QWidget *about = m_form->findChild<frmAbout *>()->window();
    QCOMPARE(about->size(), QSize(382, 237)); // 5730 × 3555 twips
    QCOMPARE(about->devicePixelRatioF(), m_factor);
    QCOMPARE(about->findChild<QWidget *>("cmdOK")->geometry(), QRect(275, 175, 100, 23));
}

QTEST_MAIN(tst_HighDpi)
#include "tst_highdpi.moc"
