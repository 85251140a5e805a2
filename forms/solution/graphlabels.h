#pragma once

#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

// Where the labels go: a point's beside its dot, a tick's beside its axis.
namespace graph {

constexpr double DotRadius = 3.5;

// A text and where it goes; on a light ground where a line runs through it.
struct Label
{
    QRectF rect;
    QString text;
    bool grounded = false;
};

// A tick label's place beside its axis.
struct TickLabel
{
    QString text;
    QRectF beside;
};

// The tick labels drawn beside the axis, on a light ground where a line or a point runs through
// their place: the axis of symmetry's tick and a line's crossing are where they help most. Only
// the bounds or another label, a point's, an axis's name or a tick's, leaves one out.
std::vector<Label> placedTickLabels(const std::vector<TickLabel> &labels, const QRectF &bounds,
                                    const std::vector<QRectF> &others,
                                    const std::vector<QLineF> &lines,
                                    const std::vector<QPointF> &dots);

bool crosses(const QRectF &rect, const QLineF &segment);

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

} // namespace graph
