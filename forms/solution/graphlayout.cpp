#include "graphlayout.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace graph {
namespace {

// Past these magnitudes a margin or a scale could overflow or lose its digits.
constexpr double Largest = 1e305;
constexpr double Smallest = 1e-300;
// Zero is brought into view when it lies within this many widths of the data.
constexpr double OriginReach = 3;
// The share of the range left empty on each side of the data.
constexpr double Margin = 0.08;

bool usable(double v)
{
    return std::isfinite(v) && std::fabs(v) <= Largest;
}

bool usable(const solvers::GraphPoint &point)
{
    return usable(point.x) && usable(point.y);
}

bool mappable(const Span &s)
{
    return usable(s.lo) && usable(s.hi) && s.width() >= Smallest && usable(s.width());
}

// A range of data values that is safe to divide by: zero brought in when near, a single value
// given room, and at least a few digits of width.
Span settle(Span s)
{
    if (s.lo > 0 && s.lo <= OriginReach * s.width())
        s.lo = 0;
    if (s.hi < 0 && -s.hi <= OriginReach * s.width())
        s.hi = 0;
    if (s.width() == 0) {
        if (s.lo == 0)
            return {-1, 1};
        // Zero and the value, with the value away from the edge.
        return {std::min(1.5 * s.lo, 0.0), std::max(1.5 * s.hi, 0.0)};
    }
    const double least = std::max(std::fabs(s.lo), std::fabs(s.hi)) * 1e-9;
    if (s.width() < least) {
        const double middle = s.lo / 2 + s.hi / 2;
        return {middle - least / 2, middle + least / 2};
    }
    return s;
}

// y = y0 + (slope + a·d)·d with d = x − x0: anchored at an exactly known point, the vertex or a
// marked point of a line, so that the digits near it do not cancel.
struct Curve
{
    double a = 0, slope = 0, x0 = 0, y0 = 0;

    double at(double x) const
    {
        const double d = x - x0;
        return y0 + (slope + a * d) * d;
    }
};

Curve curveOf(const solvers::Graph &graph)
{
    Curve curve{graph.a, graph.b, 0, graph.c};
    if (graph.a != 0) {
        const double h = graph.axis ? *graph.axis : -graph.b / (2 * graph.a);
        curve = {graph.a, 0, h, (graph.a * h + graph.b) * h + graph.c};
        for (const solvers::GraphPoint &point : graph.points)
            if (point.x == h && usable(point.y))
                curve.y0 = point.y;
        return curve;
    }
    for (const solvers::GraphPoint &point : graph.points)
        if (usable(point)) {
            curve.x0 = point.x;
            curve.y0 = point.y;
            break;
        }
    return curve;
}

// The area the data maps to and the ticks of both axes. Room beside the area is left for the
// tick labels of an axis only where it is a plain edge; a true axis carries them inside.
struct Layout
{
    Plot plot;
    bool xAxis = false, yAxis = false;
    std::vector<Tick> xTicks, yTicks;
    double yTextWidth = 0;
};

std::optional<Layout> layoutOf(const Frame &frame, const QRectF &bounds,
                               const QFontMetricsF &metrics)
{
    Layout layout;
    // A true axis where zero is in view; otherwise a plain edge carries the ticks.
    layout.yAxis = frame.x.contains(0);
    layout.xAxis = frame.y.contains(0);
    const double lineHeight = metrics.height();
    QRectF area = bounds.adjusted(6, lineHeight / 2 + ArrowLength, -ArrowLength - 4, -6);
    if (!layout.xAxis)
        area.setBottom(area.bottom() - lineHeight - 4);
    if (area.height() < 40)
        return std::nullopt;

    layout.yTicks = ticksOf(frame.y, roundStepAtLeast(frame.y.width() * 34 / area.height()));
    for (const Tick &tick : layout.yTicks)
        layout.yTextWidth = std::max(layout.yTextWidth, metrics.horizontalAdvance(tick.text));
    if (!layout.yAxis)
        area.setLeft(area.left() + layout.yTextWidth + 8);
    if (area.width() < 40)
        return std::nullopt;

    double step = roundStepAtLeast(frame.x.width() * 50 / area.width());
    for (int tries = 0; tries < 12; ++tries) {
        layout.xTicks = ticksOf(frame.x, step);
        double widest = 0;
        for (const Tick &tick : layout.xTicks)
            widest = std::max(widest, metrics.horizontalAdvance(tick.text));
        if (step / frame.x.width() * area.width() >= widest + 14)
            break;
        step = nextRoundStep(step);
    }
    layout.plot = {area, frame.x, frame.y};
    return layout;
}

// The curve as a polyline, fine enough that a chord strays from the curve by far less than a
// pixel; values far outside are held a few heights beyond the area, where the clip cuts them.
std::vector<QPointF> samplesOf(const solvers::Graph &graph, const Plot &plot)
{
    const QRectF &area = plot.area;
    const double above = area.top() - 4 * area.height();
    const double below = area.bottom() + 4 * area.height();
    if (graph.vertical) {
        const double x = plot.px(*graph.vertical);
        return {{x, above}, {x, below}};
    }
    const Curve curve = curveOf(graph);
    const int count = std::clamp(static_cast<int>(area.width() * 2), 64, 4000);
    std::vector<QPointF> samples;
    samples.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const double x = plot.x.lo + plot.x.width() * i / count;
        const double y = curve.at(x);
        if (!std::isnan(y))
            samples.emplace_back(plot.px(x), std::clamp(plot.py(y), above, below));
    }
    return samples;
}

// The marked points, those at one place with the same value marked once.
std::vector<Mark> marksOf(const solvers::Graph &graph, const Frame &frame, const Plot &plot)
{
    std::vector<Mark> marks;
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        if (!frame.shown[i])
            continue;
        const solvers::GraphPoint &point = graph.points[i];
        const QPointF dot(plot.px(point.x), plot.py(point.y));
        const QString full = QString::fromStdU16String(point.label);
        const QString brief = QString::fromStdU16String(point.shortLabel);
        auto same = std::find_if(marks.begin(), marks.end(), [&](const Mark &mark) {
            return mark.full == full && QLineF(mark.dot, dot).length() < 1;
        });
        if (same == marks.end())
            marks.push_back({dot, full, brief});
        else if (!brief.isEmpty() && !same->brief.split(u'、').contains(brief))
            same->brief += (same->brief.isEmpty() ? QString() : QStringLiteral("、")) + brief;
    }
    return marks;
}

// A tick label's place beside its axis, on the side with room for it.
std::vector<TickLabel> tickLabelsOf(const Layout &layout, QPointF origin,
                                    const QFontMetricsF &metrics, double bottom)
{
    const double lineHeight = metrics.height();
    const bool origins = layout.xAxis && layout.yAxis;
    std::vector<TickLabel> labels;
    const bool yTextRight = layout.yAxis && origin.x() - layout.yTextWidth - 8 < 2;
    for (const Tick &tick : layout.yTicks) {
        if (origins && tick.value == 0)
            continue;
        const double w = metrics.horizontalAdvance(tick.text) + 2;
        const double top = layout.plot.py(tick.value) - lineHeight / 2;
        const QRectF left(origin.x() - 5 - w, top, w, lineHeight);
        const QRectF right(origin.x() + TickLength + 3, top, w, lineHeight);
        labels.push_back({tick.text, yTextRight ? right : left});
    }
    const bool xTextAbove = origin.y() + 4 + lineHeight > bottom;
    for (const Tick &tick : layout.xTicks) {
        if (origins && tick.value == 0)
            continue;
        const double w = metrics.horizontalAdvance(tick.text) + 2;
        const double left = layout.plot.px(tick.value) - w / 2;
        const QRectF below(left, origin.y() + 3, w, lineHeight);
        const QRectF above(left, origin.y() - TickLength - 2 - lineHeight, w, lineHeight);
        labels.push_back({tick.text, xTextAbove ? above : below});
    }
    return labels;
}

double distance(QPointF p, QPointF q)
{
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

} // namespace

Frame frameOf(const solvers::Graph &graph)
{
    Frame frame;
    frame.shown.assign(graph.points.size(), false);
    if (!graph.plottable)
        return frame;
    const Curve curve = curveOf(graph);
    const auto &points = graph.points;

    if (graph.a != 0 && !graph.vertical) {
        // Symmetric about the axis, as a textbook draws a parabola.
        const double h = curve.x0;
        double reach = 0;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (usable(points[i]) && points[i].x != 0) {
                reach = std::max(reach, std::fabs(points[i].x - h));
                frame.shown[i] = true;
            }
        // With the vertex alone, the width over which the curve rises by its height shows the
        // shape.
        if (reach == 0 && curve.y0 != 0)
            reach = std::sqrt(std::fabs(curve.y0)) / std::sqrt(std::fabs(curve.a));
        // The y-intercept, unless it would squeeze the roots together.
        if (reach == 0 || std::fabs(h) <= OriginReach * reach) {
            reach = std::max(reach, std::fabs(h));
            for (std::size_t i = 0; i < points.size(); ++i)
                if (usable(points[i]) && points[i].x == 0)
                    frame.shown[i] = true;
        }
        if (reach == 0)
            reach = 1;
        reach = std::max(reach, std::fabs(h) * 1e-9);
        frame.x = {h - reach, h + reach};
    } else {
        std::optional<Span> x;
        auto take = [&x](double v) {
            if (x)
                x->take(v);
            else
                x = Span{v, v};
        };
        // Where two points off the axes show the line, an intercept joins them only when near,
        // as zero does, so that a far one does not squeeze them together.
        const auto onAxis = [](const solvers::GraphPoint &p) { return p.x == 0 || p.y == 0; };
        std::optional<Span> off;
        for (const solvers::GraphPoint &point : points)
            if (usable(point) && !onAxis(point))
                off = off ? Span{std::min(off->lo, point.x), std::max(off->hi, point.x)}
                          : Span{point.x, point.x};
        const double reach = off ? OriginReach * off->width() : 0;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (usable(points[i]) &&
                (!onAxis(points[i]) || reach == 0 ||
                 Span{off->lo - reach, off->hi + reach}.contains(points[i].x))) {
                take(points[i].x);
                frame.shown[i] = true;
            }
        if (graph.vertical && usable(*graph.vertical))
            take(*graph.vertical);
        frame.x = settle(x.value_or(Span{}));
    }
    frame.x = frame.x.widened(Margin);

    // What the curve reaches over that width, and the marked points.
    std::optional<Span> y;
    auto take = [&y](double v) {
        if (!usable(v))
            return;
        if (y)
            y->take(v);
        else
            y = Span{v, v};
    };
    for (std::size_t i = 0; i < points.size(); ++i)
        if (frame.shown[i])
            take(points[i].y);
    if (!graph.vertical) {
        take(curve.at(frame.x.lo));
        take(curve.at(frame.x.hi));
        if (curve.a != 0 && frame.x.contains(curve.x0))
            take(curve.y0);
    }
    frame.y = settle(y.value_or(Span{})).widened(Margin);

    frame.drawable = mappable(frame.x) && mappable(frame.y);
    return frame;
}

QString unplotted(const solvers::Graph &graph)
{
    return graph.why.empty() ? QStringLiteral("数值超出作图范围，没有作图")
                             : QString::fromStdU16String(graph.why);
}

QString describe(const solvers::Graph &graph, const Frame &frame)
{
    if (!frame.drawable)
        return QStringLiteral("函数图像：") + unplotted(graph);
    QStringList marks;
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        if (!frame.shown[i])
            continue;
        const solvers::GraphPoint &point = graph.points[i];
        QString name = QString::fromStdU16String(point.shortLabel);
        // A short label that is itself a point, or the bare x of a linear equation, says less
        // than where the point lies.
        if (name.isEmpty() || name.startsWith(u'(') || name == u"x")
            name = point.y == 0   ? QStringLiteral("与 x 轴的交点 ")
                   : point.x == 0 ? QStringLiteral("与 y 轴的交点 ")
                                  : QString();
        else
            name += u' ';
        marks << name + QString::fromStdU16String(point.label);
    }
    if (marks.isEmpty())
        return QStringLiteral("函数图像");
    return QStringLiteral("函数图像，标出了 ") + marks.join(u'、');
}

std::optional<Scene> sceneOf(const solvers::Graph &graph, const Frame &frame, const QRectF &bounds,
                             const QFontMetricsF &metrics, double ratio)
{
    const std::optional<Layout> layout = layoutOf(frame, bounds, metrics);
    if (!layout)
        return std::nullopt;
    Scene scene;
    scene.plot = layout->plot;
    scene.xAxis = layout->xAxis;
    scene.yAxis = layout->yAxis;
    scene.xTicks = layout->xTicks;
    scene.yTicks = layout->yTicks;
    const Plot &plot = scene.plot;
    const QRectF &area = plot.area;
    const double lineHeight = metrics.height();

    scene.thin = {ratio, std::max(1, static_cast<int>(std::lround(ratio)))};
    scene.hairline = {ratio, std::max(1, static_cast<int>(std::floor(ratio)))};
    const Snap &thin = scene.thin;
    const QPointF origin(thin(layout->yAxis ? plot.px(0) : area.left()),
                         thin(layout->xAxis ? plot.py(0) : area.bottom()));
    scene.origin = origin;
    scene.xTip = QPointF(area.right() + ArrowLength, origin.y());
    scene.yTip = QPointF(origin.x(), area.top() - ArrowLength);
    if (graph.a != 0 && graph.axis && !graph.vertical && plot.x.contains(*graph.axis))
        scene.symmetry = QLineF(thin(plot.px(*graph.axis)), area.top(), thin(plot.px(*graph.axis)),
                                area.bottom());

    std::vector<Label> &names = scene.names;
    const auto name = [&](double left, double top, const QString &text) {
        names.push_back({QRectF(left, top, metrics.horizontalAdvance(text) + 2, lineHeight), text});
    };
    if (layout->xAxis)
        name(scene.xTip.x() - metrics.horizontalAdvance(u'x') - 2, origin.y() + 3,
             QStringLiteral("x"));
    if (layout->yAxis)
        name(origin.x() + 6, scene.yTip.y() - 2, QStringLiteral("y"));
    if (layout->xAxis && layout->yAxis)
        name(origin.x() - metrics.horizontalAdvance(u'O') - 5, origin.y() + 2, QStringLiteral("O"));

    scene.samples = samplesOf(graph, plot);
    scene.marks = marksOf(graph, frame, plot);
    const std::vector<QPointF> &samples = scene.samples;
    const std::vector<Mark> &marks = scene.marks;
    const std::vector<TickLabel> tickLabels =
        tickLabelsOf(*layout, origin, metrics, bounds.bottom());

    LabelPlacer placer(metrics, bounds.adjusted(1, 1, -1, -1));
    for (std::size_t i = 1; i < samples.size(); ++i)
        placer.avoidCurve({samples[i - 1], samples[i]});
    placer.avoidLine({QPointF(area.left(), origin.y()), scene.xTip});
    placer.avoidLine({QPointF(origin.x(), area.bottom()), scene.yTip});
    if (scene.symmetry)
        placer.avoidLine(*scene.symmetry);
    for (const TickLabel &label : tickLabels)
        placer.avoidText(label.beside);
    for (const Label &label : names)
        placer.keepClear(label.rect);
    for (const Mark &mark : marks)
        placer.keepClear(QRectF(mark.dot - QPointF(DotRadius + 1, DotRadius + 1),
                                QSizeF(2 * DotRadius + 2, 2 * DotRadius + 2)));
    for (const Mark &mark : marks)
        if (auto label = placer.place(mark.dot, mark.full, mark.brief))
            scene.pointLabels.push_back({label->rect, label->text, true});

    std::vector<QRectF> others;
    for (const Label &label : scene.pointLabels)
        others.push_back(label.rect);
    for (const Label &label : names)
        others.push_back(label.rect);
    std::vector<QLineF> lines;
    for (std::size_t i = 1; i < samples.size(); ++i)
        lines.emplace_back(samples[i - 1], samples[i]);
    if (scene.symmetry)
        lines.push_back(*scene.symmetry);
    std::vector<QPointF> dots;
    for (const Mark &mark : marks)
        dots.push_back(mark.dot);
    scene.tickLabels = placedTickLabels(tickLabels, bounds, others, lines, dots);
    return scene;
}

Frame viewOf(const solvers::Graph &graph, const Span &x, const Span &y)
{
    Frame frame{x, y, std::vector<bool>(graph.points.size(), false), false};
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        const solvers::GraphPoint &point = graph.points[i];
        frame.shown[i] = usable(point) && x.contains(point.x) && y.contains(point.y);
    }
    // Finer than this, neighbouring pixels would no longer be different doubles.
    const auto resolved = [](const Span &s) {
        return s.width() >= 1e-9 * std::max(std::fabs(s.lo), std::fabs(s.hi));
    };
    frame.drawable = mappable(x) && mappable(y) && resolved(x) && resolved(y);
    return frame;
}

std::optional<Plot> plotOf(const Frame &frame, const QRectF &bounds, const QFontMetricsF &metrics)
{
    const std::optional<Layout> layout = layoutOf(frame, bounds, metrics);
    return layout ? std::optional<Plot>(layout->plot) : std::nullopt;
}

std::optional<Frame> placed(const solvers::Graph &graph, const Frame &view, double factor,
                            QPointF data, QPointF pixel, const QRectF &bounds,
                            const QFontMetricsF &metrics)
{
    const double width = view.x.width() / factor, height = view.y.width() / factor;
    std::optional<Plot> plot = plotOf(view, bounds, metrics);
    // The area moves with the tick labels beside it; a few rounds settle it.
    for (int round = 0; plot && round < 4; ++round) {
        const QRectF area = plot->area;
        const double left = data.x() - (pixel.x() - area.left()) / area.width() * width;
        const double bottom = data.y() - (area.bottom() - pixel.y()) / area.height() * height;
        const Frame frame = viewOf(graph, {left, left + width}, {bottom, bottom + height});
        if (!frame.drawable)
            return std::nullopt;
        plot = plotOf(frame, bounds, metrics);
        if (plot && plot->area == area)
            return frame;
    }
    return std::nullopt;
}

std::optional<QString> pointNear(const solvers::Graph &graph, const Scene &scene, QPointF pointer)
{
    const std::vector<QPointF> &samples = scene.samples;
    std::optional<QPointF> nearest;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const QPointF p = samples[i - 1], along = samples[i] - p;
        const double length2 = QPointF::dotProduct(along, along);
        const double t =
            length2 > 0 ? std::clamp(QPointF::dotProduct(pointer - p, along) / length2, 0.0, 1.0)
                        : 0.0;
        const QPointF foot = p + t * along;
        if (!nearest || distance(foot, pointer) < distance(*nearest, pointer))
            nearest = foot;
    }
    if (!nearest || distance(*nearest, pointer) > 8 ||
        !scene.plot.area.adjusted(-1, -1, 1, 1).contains(*nearest))
        return std::nullopt;
    const Plot &plot = scene.plot;
    const QPointF at = plot.dataAt(*nearest);
    const double x = graph.vertical ? *graph.vertical : at.x();
    const double y = graph.vertical ? at.y() : curveOf(graph).at(x);
    return QStringLiteral("(") + roughly(x, plot.x.width()) + QStringLiteral(", ") +
           roughly(y, plot.y.width()) + QStringLiteral(")");
}

} // namespace graph
