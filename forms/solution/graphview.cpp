#include "graphview.h"

#include "graphlayout.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {

// A notch of the wheel, a press of + or −.
constexpr double ZoomStep = 1.25;
// An arrow key moves the view by this share of the area.
constexpr double PanShare = 0.1;

const QColor CurveColour(0x1f, 0x5f, 0xd6);
const QColor PointColour(0xc8, 0x3c, 0x0a);
const QColor AxisColour(0x20, 0x20, 0x20);
const QColor SymmetryColour(0x80, 0x80, 0x80);
const QColor GridColour(0xe6, 0xe6, 0xe6);
const QColor NoteColour(0x40, 0x40, 0x40);

void drawArrowHead(QPainter &painter, QPointF tip, QPointF direction)
{
    const QPointF across(-direction.y(), direction.x());
    const double length = 8, half = 3.5;
    const QPointF base = tip - direction * length;
    const QPointF head[] = {tip, base + across * half, base - across * half};
    painter.setPen(Qt::NoPen);
    painter.setBrush(AxisColour);
    painter.drawPolygon(head, 3);
}

} // namespace

GraphView::GraphView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphView::setGraph(const solvers::Graph &graph)
{
    m_graph = graph;
    m_hasGraph = true;
    m_home = m_view = graph::frameOf(m_graph);
    m_grabbed.reset();
    setAccessibleDescription(graph::describe(m_graph, m_home));
    update();
}

std::optional<graph::Scene> GraphView::scene() const
{
    if (!m_hasGraph || !m_view.drawable)
        return std::nullopt;
    return graph::sceneOf(m_graph, m_view, rect(), QFontMetricsF(font()), devicePixelRatioF());
}

void GraphView::moveView(double factor, QPointF data, QPointF pixel)
{
    if (!m_hasGraph || !m_view.drawable)
        return;
    if (auto view =
            graph::placed(m_graph, m_view, factor, data, pixel, rect(), QFontMetricsF(font()))) {
        m_view = *view;
        update();
    }
}

void GraphView::zoomAbout(QPointF pixel, double factor)
{
    if (const auto plot = graph::plotOf(m_view, rect(), QFontMetricsF(font())))
        moveView(factor, plot->dataAt(pixel), pixel);
}

void GraphView::restoreView()
{
    m_view = m_home;
    update();
}

void GraphView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, devicePixelRatioF());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

// Device-independent: the screen, an image at any ratio and a PDF page get the same picture.
void GraphView::paint(QPainter &painter, double ratio) const
{
    painter.fillRect(rect(), Qt::white);
    if (!m_hasGraph)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const QFontMetricsF metrics(font(), painter.device());

    if (!m_view.drawable) {
        painter.setPen(NoteColour);
        painter.drawText(QRectF(rect()).adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         graph::unplotted(m_graph));
        return;
    }
    const std::optional<graph::Scene> scene =
        graph::sceneOf(m_graph, m_view, rect(), metrics, ratio);
    if (!scene)
        return;
    const graph::Plot &plot = scene->plot;
    const QRectF &area = plot.area;
    const QPointF origin = scene->origin;

    painter.setPen(QPen(GridColour, scene->hairline.width()));
    for (const graph::Tick &tick : scene->xTicks)
        if (!scene->yAxis || tick.value != 0)
            painter.drawLine(QPointF(scene->hairline(plot.px(tick.value)), area.top()),
                             QPointF(scene->hairline(plot.px(tick.value)), area.bottom()));
    for (const graph::Tick &tick : scene->yTicks)
        if (!scene->xAxis || tick.value != 0)
            painter.drawLine(QPointF(area.left(), scene->hairline(plot.py(tick.value))),
                             QPointF(area.right(), scene->hairline(plot.py(tick.value))));

    if (scene->symmetry) {
        QPen dashed(SymmetryColour, std::max(1.0, scene->thin.width()), Qt::CustomDashLine,
                    Qt::FlatCap);
        dashed.setDashPattern({5, 4});
        painter.setPen(dashed);
        painter.drawLine(*scene->symmetry);
    }

    painter.setPen(QPen(AxisColour, scene->thin.width(), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(area.left(), origin.y()), scene->xAxis
                                                           ? scene->xTip - QPointF(4, 0)
                                                           : QPointF(area.right(), origin.y()));
    painter.drawLine(QPointF(origin.x(), area.bottom()),
                     scene->yAxis ? scene->yTip + QPointF(0, 4) : QPointF(origin.x(), area.top()));
    for (const graph::Tick &tick : scene->xTicks) {
        const double x = scene->thin(plot.px(tick.value));
        painter.drawLine(QPointF(x, origin.y()), QPointF(x, origin.y() - graph::TickLength));
    }
    for (const graph::Tick &tick : scene->yTicks) {
        const double y = scene->thin(plot.py(tick.value));
        painter.drawLine(QPointF(origin.x(), y), QPointF(origin.x() + graph::TickLength, y));
    }
    if (scene->xAxis)
        drawArrowHead(painter, scene->xTip, QPointF(1, 0));
    if (scene->yAxis)
        drawArrowHead(painter, scene->yTip, QPointF(0, -1));

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    for (const graph::Label &label : scene->names)
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    for (const graph::Label &label : scene->tickLabels)
        if (!label.grounded)
            painter.drawText(label.rect, Qt::AlignCenter, label.text);

    // The curve over the grid, axes and ticks, the points over the curve.
    painter.save();
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    QPainterPath path;
    if (!scene->samples.empty()) {
        path.moveTo(scene->samples.front());
        for (std::size_t i = 1; i < scene->samples.size(); ++i)
            path.lineTo(scene->samples[i]);
    }
    painter.setPen(QPen(CurveColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();

    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(PointColour);
    for (const graph::Mark &mark : scene->marks)
        painter.drawEllipse(mark.dot, graph::DotRadius, graph::DotRadius);

    // Over a light ground, so that a line a label had to cover does not run through its text.
    painter.setPen(Qt::black);
    for (const auto *labels : {&scene->tickLabels, &scene->pointLabels})
        for (const graph::Label &label : *labels)
            if (label.grounded) {
                painter.fillRect(label.rect, QColor(255, 255, 255, 210));
                painter.drawText(label.rect, Qt::AlignCenter, label.text);
            }
}

QImage GraphView::image(double scale) const
{
    const double ratio = devicePixelRatioF() * scale;
    QImage picture(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    paint(painter, ratio);
    return picture;
}

bool GraphView::saveImage(const QString &fileName) const
{
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return image(2).save(fileName, "PNG");
    QPdfWriter pdf(fileName);
    pdf.setTitle(QStringLiteral("函数图像"));
    pdf.setCreator(QApplication::applicationName());
    // At the screen's resolution the fonts keep their size beside the lines.
    pdf.setResolution(logicalDpiY());
    pdf.setPageMargins(QMarginsF());
    pdf.setPageSize(QPageSize(QSizeF(size()) * 72.0 / logicalDpiY(), QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    paint(painter, 1);
    return painter.end();
}

void GraphView::saveWithDialog()
{
    const QString png = QStringLiteral("PNG 图像 (*.png)"),
                  pdf = QStringLiteral("PDF 文档 (*.pdf)");
    QFileDialog dialog(this, QStringLiteral("保存图像"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({png, pdf});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        dialog.setDefaultSuffix(filter == pdf ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    if (m_folder.isEmpty()) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        m_folder = QDir(pictures).exists() ? pictures : QDir::homePath();
    }
    dialog.setDirectory(m_folder);
    dialog.selectFile(QStringLiteral("函数图像.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    m_folder = QFileInfo(fileName).absolutePath();
    if (!saveImage(fileName))
        QMessageBox::warning(this, QStringLiteral("保存图像"),
                             QStringLiteral("无法保存图像：") + fileName);
}

void GraphView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(QStringLiteral("复制图像"));
    QAction *save = menu.addAction(QStringLiteral("保存图像…"));
    QAction *restore = menu.addAction(QStringLiteral("还原视图"));
    copy->setEnabled(m_hasGraph);
    save->setEnabled(m_hasGraph);
    restore->setEnabled(m_hasGraph && (m_view.x.lo != m_home.x.lo || m_view.x.hi != m_home.x.hi ||
                                       m_view.y.lo != m_home.y.lo || m_view.y.hi != m_home.y.hi));
    // Connected rather than read from exec(), so that an action a screen reader triggers works.
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setImage(image(1)); });
    connect(save, &QAction::triggered, this, &GraphView::saveWithDialog);
    connect(restore, &QAction::triggered, this, &GraphView::restoreView);
    menu.exec(event->globalPos());
}

bool GraphView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<graph::Scene> shown = m_grabbed ? std::nullopt : scene();
    const std::optional<QString> text =
        shown ? graph::pointNear(m_graph, *shown, help->pos()) : std::nullopt;
    if (text)
        QToolTip::showText(help->globalPos(), *text, this, QRect(help->pos(), QSize(1, 1)));
    else
        QToolTip::hideText();
    return true;
}

void GraphView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return QWidget::wheelEvent(event);
    zoomAbout(event->position(), std::pow(ZoomStep, delta / 120.0));
}

void GraphView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (const auto plot = graph::plotOf(m_view, rect(), QFontMetricsF(font()));
        plot && m_hasGraph && m_view.drawable) {
        m_grabbed = plot->dataAt(event->position());
        setCursor(Qt::ClosedHandCursor);
        QToolTip::hideText();
    }
}

void GraphView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_grabbed && (event->buttons() & Qt::LeftButton))
        moveView(1, *m_grabbed, event->position());
    else
        QWidget::mouseMoveEvent(event);
}

void GraphView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_grabbed)
        return QWidget::mouseReleaseEvent(event);
    m_grabbed.reset();
    unsetCursor();
}

void GraphView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    // The press before it grabbed a point of the view that is now gone.
    m_grabbed.reset();
    unsetCursor();
    restoreView();
}

void GraphView::keyPressEvent(QKeyEvent *event)
{
    const auto plot = graph::plotOf(m_view, rect(), QFontMetricsF(font()));
    if (!plot || !m_hasGraph || event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return QWidget::keyPressEvent(event);
    const QPointF centre = plot->area.center();
    const double across = plot->area.width() * PanShare, down = plot->area.height() * PanShare;
    // An arrow shows more of the plane on its side: the data moves the other way.
    const auto pan = [&](double dx, double dy) {
        moveView(1, plot->dataAt(centre), centre + QPointF(dx, dy));
    };
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return zoomAbout(centre, ZoomStep);
    case Qt::Key_Minus:
        return zoomAbout(centre, 1 / ZoomStep);
    case Qt::Key_Left:
        return pan(across, 0);
    case Qt::Key_Right:
        return pan(-across, 0);
    case Qt::Key_Up:
        return pan(0, down);
    case Qt::Key_Down:
        return pan(0, -down);
    case Qt::Key_0:
        return restoreView();
    default:
        return QWidget::keyPressEvent(event);
    }
}
