#pragma once

#include "graphlabels.h"
#include "graphticks.h"
#include "solution.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

// Where everything of the graph goes: the range shown, the ticks, the curve, the points and
// every label. Pixels and font metrics in, places out, so that it is checked without painting.
namespace graph {

constexpr double ArrowLength = 10;
constexpr double TickLength = 4;

// The data shown: the ranges of x and y, margins included, and which points are marked.
struct Frame
{
    Span x, y;
    std::vector<bool> shown;
    bool drawable = false;
};

// The range that shows the curve and its marked points.
Frame frameOf(const solvers::Graph &graph);

// Any range the user moved to, with the points inside it marked; not drawable where a double
// cannot resolve it.
Frame viewOf(const solvers::Graph &graph, const Span &x, const Span &y);

// The accessible description: which points the graph marks, or why it draws nothing.
QString describe(const solvers::Graph &graph, const Frame &frame);

// What stands where a graph is not drawn.
QString unplotted(const solvers::Graph &graph);

// Data to widget coordinates.
struct Plot
{
    QRectF area;
    Span x, y;

    double px(double v) const { return area.left() + (v - x.lo) / x.width() * area.width(); }
    double py(double v) const { return area.bottom() - (v - y.lo) / y.width() * area.height(); }
    QPointF dataAt(QPointF p) const
    {
        return {x.lo + (p.x() - area.left()) / area.width() * x.width(),
                y.lo + (area.bottom() - p.y()) / area.height() * y.width()};
    }
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

struct Mark
{
    QPointF dot;
    QString full, brief;
};

// Everything a paint draws, in widget coordinates.
struct Scene
{
    Plot plot;
    Snap thin, hairline;
    bool xAxis = false, yAxis = false;
    std::vector<Tick> xTicks, yTicks;
    QPointF origin, xTip, yTip;
    std::optional<QLineF> symmetry;
    std::vector<QPointF> samples;
    std::vector<Mark> marks;
    std::vector<Label> names, pointLabels, tickLabels;
};

// Null where the bounds are too small to draw in.
std::optional<Scene> sceneOf(const solvers::Graph &graph, const Frame &frame, const QRectF &bounds,
                             const QFontMetricsF &metrics, double ratio);

std::optional<Plot> plotOf(const Frame &frame, const QRectF &bounds, const QFontMetricsF &metrics);

// The view, its widths divided by factor, that shows the data point at the pixel: a zoom about
// the pointer, or with factor 1 a drag. None where that view is past what can be drawn.
std::optional<Frame> placed(const solvers::Graph &graph, const Frame &view, double factor,
                            QPointF data, QPointF pixel, const QRectF &bounds,
                            const QFontMetricsF &metrics);

// The point of the curve within 8 pixels of the pointer, to three significant digits:
// "(2.5, −1.44)".
std::optional<QString> pointNear(const solvers::Graph &graph, const Scene &scene, QPointF pointer);

} // namespace graph
