#include "graphview.h"

#include "written.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

const QColor CurveColour(0x1f, 0x5f, 0xd6);
const QColor PointColour(0xc8, 0x3c, 0x0a);
const QColor AxisColour(0x20, 0x20, 0x20);
const QColor SymmetryColour(0x80, 0x80, 0x80);
const QColor GridColour(0xe6, 0xe6, 0xe6);
const QColor NoteColour(0x40, 0x40, 0x40);

constexpr char16_t Minus = u'\u2212';

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

struct Span
{
    double lo = 0, hi = 0;

    double width() const { return hi - lo; }
    bool contains(double v) const { return lo <= v && v <= hi; }
    void take(double v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    Span widened(double share) const { return {lo - share * width(), hi + share * width()}; }
};

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

// The data shown: the ranges of x and y, margins included, and which points are marked.
struct Frame
{
    Span x, y;
    std::vector<bool> shown;
    bool drawable = false;
};

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
        for (std::size_t i = 0; i < points.size(); ++i)
            if (usable(points[i])) {
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

    frame.drawable = true;
    for (const Span &s : {frame.x, frame.y})
        if (!usable(s.lo) || !usable(s.hi) || !(s.width() >= Smallest) || !usable(s.width()))
            frame.drawable = false;
    return frame;
}

QString withoutTrailingZeros(QString digits)
{
    if (digits.contains(u'.')) {
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.endsWith(u'.'))
            digits.chop(1);
    }
    return digits;
}

// Round steps of 1, 2 or 5 × 10ⁿ.
double roundStepAtLeast(double raw)
{
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * unit >= raw * (1 - 1e-9))
            return m * unit;
    return 10 * unit;
}

double nextRoundStep(double step)
{
    return roundStepAtLeast(step * 1.5);
}

struct Tick
{
    double value;
    QString text;
};

// The ticks of one axis at the multiples of step, written plainly while that stays short and
// as m×10ⁿ otherwise.
std::vector<Tick> ticksOf(const Span &span, double step)
{
    std::vector<Tick> ticks;
    const double first = std::ceil(span.lo / step);
    const double last = std::floor(span.hi / step);
    if (!(last - first < 200))
        return ticks;
    const int stepExponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    // Plain while short: small and middling values, and large ones read to a fine step
    // ("1000000.5"); large round values and tiny steps as m×10ⁿ.
    const double largest = std::max(std::fabs(span.lo), std::fabs(span.hi));
    const int digits =
        static_cast<int>(std::floor(std::log10(largest))) + 1 + std::max(0, -stepExponent);
    const bool plain = stepExponent >= -4 && (largest < 1e5 || (stepExponent <= 1 && digits <= 10));
    for (double n = first; n <= last; ++n) {
        const double value = n * step;
        const double size = std::fabs(value);
        QString text;
        if (n == 0) {
            text = QStringLiteral("0");
        } else if (plain) {
            text = withoutTrailingZeros(QString::number(size, 'f', std::max(0, -stepExponent)));
        } else {
            int exponent = static_cast<int>(std::floor(std::log10(size)));
            const auto mantissa = [&] {
                return withoutTrailingZeros(QString::number(size / std::pow(10.0, exponent), 'f',
                                                            std::max(0, exponent - stepExponent)));
            };
            QString digits = mantissa();
            if (digits.startsWith(u"10")) {
                ++exponent;
                digits = mantissa();
            }
            text = digits + QStringLiteral("×10") +
                   QString::fromStdU16String(solvers::superscript(exponent));
        }
        if (value < 0)
            text.prepend(Minus);
        ticks.push_back({value, text});
    }
    return ticks;
}

// Data to widget coordinates.
struct Plot
{
    QRectF area;
    Span x, y;

    double px(double v) const { return area.left() + (v - x.lo) / x.width() * area.width(); }
    double py(double v) const { return area.bottom() - (v - y.lo) / y.width() * area.height(); }
};

// A line a whole number of device pixels wide lies on whole device pixels, so that it is not
// smeared over two.
struct Snap
{
    double ratio;
    int pixels;

    double width() const { return pixels / ratio; }
    double operator()(double v) const
    {
        const double device = v * ratio;
        return (pixels % 2 ? std::floor(device) + 0.5 : std::round(device)) / ratio;
    }
};

bool crosses(const QRectF &rect, const QLineF &segment)
{
    if (rect.contains(segment.p1()) || rect.contains(segment.p2()))
        return true;
    const QRectF box = QRectF(segment.p1(), segment.p2()).normalized();
    if (box.right() < rect.left() || box.left() > rect.right() || box.bottom() < rect.top() ||
        box.top() > rect.bottom())
        return false;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF &edge : edges)
        if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
            return true;
    return false;
}

bool crossesCurve(const QRectF &rect, const std::vector<QPointF> &samples)
{
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (crosses(rect, {samples[i - 1], samples[i]}))
            return true;
    return false;
}

// A text and where it goes.
struct Label
{
    QRectF rect;
    QString text;
};

// Where a point's label goes: its exact value where it fits, its short name where that does not,
// nowhere where neither does. Other labels, the dots and the axis names are never covered; the
// curve and the lines are covered only where no other place is free, and tick labels give way.
class LabelPlacer
{
public:
    LabelPlacer(const QFontMetricsF &metrics, const QRectF &bounds)
        : m_metrics(metrics), m_bounds(bounds)
    {}

    // Text over the curve is harder to read than text over a straight line.
    void avoidCurve(const QLineF &chord) { m_chords.push_back(chord); }
    void avoidLine(const QLineF &line) { m_lines.push_back(line); }
    void avoidText(const QRectF &rect) { m_texts.push_back(rect); }
    void keepClear(const QRectF &rect) { m_taken.push_back(rect); }

    std::optional<Label> place(QPointF dot, const QString &full, const QString &brief)
    {
        std::optional<Label> best;
        double bestCost = 1e9;
        const QString texts[] = {full, brief};
        for (int t = 0; t < 2; ++t) {
            const QString &text = texts[t];
            if (text.isEmpty() || (t == 1 && text == full))
                continue;
            const QSizeF size(m_metrics.horizontalAdvance(text) + 4, m_metrics.height());
            const double w = size.width(), h = size.height(), gap = 5;
            const QPointF corners[] = {
                {dot.x() + gap, dot.y() - gap - h},     {dot.x() + gap, dot.y() + gap},
                {dot.x() - gap - w, dot.y() - gap - h}, {dot.x() - gap - w, dot.y() + gap},
                {dot.x() + gap + 2, dot.y() - h / 2},   {dot.x() - gap - 2 - w, dot.y() - h / 2},
                {dot.x() - w / 2, dot.y() - gap - h},   {dot.x() - w / 2, dot.y() + gap},
            };
            for (std::size_t i = 0; i < std::size(corners); ++i) {
                const QRectF rect(corners[i], size);
                if (!m_bounds.contains(rect) || taken(rect))
                    continue;
                const double cost = costOf(rect) + 1.5 * t + 0.01 * static_cast<double>(i);
                if (cost < bestCost) {
                    bestCost = cost;
                    best = Label{rect, text};
                }
            }
        }
        if (best)
            m_taken.push_back(best->rect);
        return best;
    }

private:
    bool taken(const QRectF &rect) const
    {
        return std::any_of(m_taken.begin(), m_taken.end(),
                           [&rect](const QRectF &other) { return other.intersects(rect); });
    }

    double costOf(const QRectF &rect) const
    {
        double cost = 0;
        for (const QLineF &chord : m_chords)
            if (crosses(rect, chord)) {
                cost += 3;
                break;
            }
        for (const QLineF &line : m_lines)
            if (crosses(rect, line))
                cost += 1;
        for (const QRectF &text : m_texts)
            if (text.intersects(rect))
                cost += 0.5;
        return cost;
    }

    QFontMetricsF m_metrics;
    QRectF m_bounds;
    std::vector<QLineF> m_chords;
    std::vector<QLineF> m_lines;
    std::vector<QRectF> m_texts;
    std::vector<QRectF> m_taken;
};

QString describe(const solvers::Graph &graph, const Frame &frame)
{
    if (!frame.drawable)
        return QStringLiteral("函数图像：数值超出作图范围，没有作图");
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

constexpr double ArrowLength = 10;
constexpr double TickLength = 4;
constexpr double DotRadius = 3.5;

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

struct Mark
{
    QPointF dot;
    QString full, brief;
};

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

// A tick label's place beside its axis, on the side with room for it, and its place on the
// other side for when something runs through the first.
struct TickLabel
{
    QString text;
    QRectF beside, opposite;
};

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
        labels.push_back({tick.text, yTextRight ? right : left, yTextRight ? left : right});
    }
    const bool xTextAbove = origin.y() + 4 + lineHeight > bottom;
    for (const Tick &tick : layout.xTicks) {
        if (origins && tick.value == 0)
            continue;
        const double w = metrics.horizontalAdvance(tick.text) + 2;
        const double left = layout.plot.px(tick.value) - w / 2;
        const QRectF below(left, origin.y() + 3, w, lineHeight);
        const QRectF above(left, origin.y() - TickLength - 2 - lineHeight, w, lineHeight);
        labels.push_back({tick.text, xTextAbove ? above : below, xTextAbove ? below : above});
    }
    return labels;
}

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
    setAccessibleDescription(describe(m_graph, frameOf(m_graph)));
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
    const double lineHeight = metrics.height();

    const Frame frame = frameOf(m_graph);
    if (!frame.drawable) {
        painter.setPen(NoteColour);
        painter.drawText(QRectF(rect()).adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("数值超出作图范围，没有作图"));
        return;
    }
    const std::optional<Layout> layout = layoutOf(frame, rect(), metrics);
    if (!layout)
        return;
    const Plot &plot = layout->plot;
    const QRectF &area = plot.area;

    const double ratio = devicePixelRatioF();
    const Snap thin{ratio, std::max(1, static_cast<int>(std::lround(ratio)))};
    const Snap hairline{ratio, std::max(1, static_cast<int>(std::floor(ratio)))};
    const QPointF origin(thin(layout->yAxis ? plot.px(0) : area.left()),
                         thin(layout->xAxis ? plot.py(0) : area.bottom()));
    const QPointF xTip(area.right() + ArrowLength, origin.y());
    const QPointF yTip(origin.x(), area.top() - ArrowLength);
    const bool symmetry =
        m_graph.a != 0 && m_graph.axis && !m_graph.vertical && plot.x.contains(*m_graph.axis);
    const QLineF symmetryLine = symmetry ? QLineF(thin(plot.px(*m_graph.axis)), area.top(),
                                                  thin(plot.px(*m_graph.axis)), area.bottom())
                                         : QLineF();

    std::vector<Label> names;
    const auto name = [&](double left, double top, const QString &text) {
        names.push_back({QRectF(left, top, metrics.horizontalAdvance(text) + 2, lineHeight), text});
    };
    if (layout->xAxis)
        name(xTip.x() - metrics.horizontalAdvance(u'x') - 2, origin.y() + 3, QStringLiteral("x"));
    if (layout->yAxis)
        name(origin.x() + 6, yTip.y() - 2, QStringLiteral("y"));
    if (layout->xAxis && layout->yAxis)
        name(origin.x() - metrics.horizontalAdvance(u'O') - 5, origin.y() + 2, QStringLiteral("O"));

    const std::vector<QPointF> samples = samplesOf(m_graph, plot);
    const std::vector<Mark> marks = marksOf(m_graph, frame, plot);
    const std::vector<TickLabel> tickLabels = tickLabelsOf(*layout, origin, metrics, height());

    LabelPlacer placer(metrics, QRectF(rect()).adjusted(1, 1, -1, -1));
    for (std::size_t i = 1; i < samples.size(); ++i)
        placer.avoidCurve({samples[i - 1], samples[i]});
    placer.avoidLine({QPointF(area.left(), origin.y()), xTip});
    placer.avoidLine({QPointF(origin.x(), area.bottom()), yTip});
    if (symmetry)
        placer.avoidLine(symmetryLine);
    for (const TickLabel &label : tickLabels)
        placer.avoidText(label.beside);
    for (const Label &label : names)
        placer.keepClear(label.rect);
    for (const Mark &mark : marks)
        placer.keepClear(QRectF(mark.dot - QPointF(DotRadius + 1, DotRadius + 1),
                                QSizeF(2 * DotRadius + 2, 2 * DotRadius + 2)));
    std::vector<Label> pointLabels;
    for (const Mark &mark : marks)
        if (auto label = placer.place(mark.dot, mark.full, mark.brief))
            pointLabels.push_back(*label);

    painter.setPen(QPen(GridColour, hairline.width()));
    for (const Tick &tick : layout->xTicks)
        if (!layout->yAxis || tick.value != 0)
            painter.drawLine(QPointF(hairline(plot.px(tick.value)), area.top()),
                             QPointF(hairline(plot.px(tick.value)), area.bottom()));
    for (const Tick &tick : layout->yTicks)
        if (!layout->xAxis || tick.value != 0)
            painter.drawLine(QPointF(area.left(), hairline(plot.py(tick.value))),
                             QPointF(area.right(), hairline(plot.py(tick.value))));

    if (symmetry) {
        QPen dashed(SymmetryColour, std::max(1.0, thin.width()), Qt::CustomDashLine, Qt::FlatCap);
        dashed.setDashPattern({5, 4});
        painter.setPen(dashed);
        painter.drawLine(symmetryLine);
    }

    painter.setPen(QPen(AxisColour, thin.width(), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(area.left(), origin.y()),
                     layout->xAxis ? xTip - QPointF(4, 0) : QPointF(area.right(), origin.y()));
    painter.drawLine(QPointF(origin.x(), area.bottom()),
                     layout->yAxis ? yTip + QPointF(0, 4) : QPointF(origin.x(), area.top()));
    for (const Tick &tick : layout->xTicks) {
        const double x = thin(plot.px(tick.value));
        painter.drawLine(QPointF(x, origin.y()), QPointF(x, origin.y() - TickLength));
    }
    for (const Tick &tick : layout->yTicks) {
        const double y = thin(plot.py(tick.value));
        painter.drawLine(QPointF(origin.x(), y), QPointF(origin.x() + TickLength, y));
    }
    if (layout->xAxis)
        drawArrowHead(painter, xTip, QPointF(1, 0));
    if (layout->yAxis)
        drawArrowHead(painter, yTip, QPointF(0, -1));

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    for (const Label &label : names)
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    // A tick label is left out where a label or the widget's edge is in the way, and moves to the
    // other side of its axis where the curve, a point or the axis of symmetry runs through it.
    std::vector<QRectF> drawn;
    const auto blocked = [&](const QRectF &rect) {
        const QRectF room = rect.adjusted(-3, -3, 3, 3);
        const auto covers = [&room](const QRectF &other) { return other.intersects(room); };
        const auto coversLabel = [&room](const Label &other) {
            return other.rect.intersects(room);
        };
        return rect.left() < 0 || rect.top() < 0 || rect.right() > width() ||
               rect.bottom() > height() || std::any_of(drawn.begin(), drawn.end(), covers) ||
               std::any_of(pointLabels.begin(), pointLabels.end(), coversLabel) ||
               std::any_of(names.begin(), names.end(), coversLabel);
    };
    const auto crossed = [&](const QRectF &rect) {
        const QRectF near = rect.adjusted(-DotRadius, -DotRadius, DotRadius, DotRadius);
        return std::any_of(marks.begin(), marks.end(),
                           [&near](const Mark &mark) { return near.contains(mark.dot); }) ||
               (symmetry && crosses(rect, symmetryLine)) || crossesCurve(rect, samples);
    };
    for (const TickLabel &label : tickLabels) {
        if (blocked(label.beside))
            continue;
        for (const QRectF &rect : {label.beside, label.opposite})
            if (!blocked(rect) && !crossed(rect)) {
                painter.drawText(rect, Qt::AlignCenter, label.text);
                drawn.push_back(rect);
                break;
            }
    }

    // The curve over the grid, axes and ticks, the points over the curve.
    painter.save();
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    QPainterPath path;
    if (!samples.empty()) {
        path.moveTo(samples.front());
        for (std::size_t i = 1; i < samples.size(); ++i)
            path.lineTo(samples[i]);
    }
    painter.setPen(QPen(CurveColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();

    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(PointColour);
    for (const Mark &mark : marks)
        painter.drawEllipse(mark.dot, DotRadius, DotRadius);

    // Over a light ground, so that a line a label had to cover does not run through its text.
    painter.setPen(Qt::black);
    for (const Label &label : pointLabels) {
        painter.fillRect(label.rect, QColor(255, 255, 255, 210));
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    }
}
