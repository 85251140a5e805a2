#include "graphview.h"

#include "graphlayout.h"

#include <QPainter>
#include <QPainterPath>

namespace {

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
}

void GraphView::setGraph(const solvers::Graph &graph)
{
    m_graph = graph;
    m_hasGraph = true;
    setAccessibleDescription(graph::describe(m_graph, graph::frameOf(m_graph)));
    update();
}

void GraphView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_hasGraph)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const QFontMetricsF metrics(font());

    const graph::Frame frame = graph::frameOf(m_graph);
    if (!frame.drawable) {
        painter.setPen(NoteColour);
        painter.drawText(QRectF(rect()).adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("数值超出作图范围，没有作图"));
        return;
    }
    const std::optional<graph::Scene> scene =
        graph::sceneOf(m_graph, frame, rect(), metrics, devicePixelRatioF());
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
    for (const graph::Label &label : scene->pointLabels) {
        painter.fillRect(label.rect, QColor(255, 255, 255, 210));
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    }
}
