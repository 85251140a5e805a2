#include "graphlabels.h"

#include <algorithm>

namespace graph {

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

std::vector<Label> placedTickLabels(const std::vector<TickLabel> &labels, const QRectF &bounds,
                                    const std::vector<QRectF> &others,
                                    const std::vector<QLineF> &lines,
                                    const std::vector<QPointF> &dots)
{
    std::vector<Label> placed;
    const auto blocked = [&](const QRectF &rect) {
        const QRectF room = rect.adjusted(-3, -3, 3, 3);
        const auto covers = [&room](const QRectF &other) { return other.intersects(room); };
        const auto coversLabel = [&room](const Label &other) {
            return other.rect.intersects(room);
        };
        return !bounds.contains(rect) || std::any_of(others.begin(), others.end(), covers) ||
               std::any_of(placed.begin(), placed.end(), coversLabel);
    };
    const auto crossed = [&](const QRectF &rect) {
        const QRectF near = rect.adjusted(-DotRadius, -DotRadius, DotRadius, DotRadius);
        return std::any_of(dots.begin(), dots.end(),
                           [&near](QPointF dot) { return near.contains(dot); }) ||
               std::any_of(lines.begin(), lines.end(),
                           [&rect](const QLineF &line) { return crosses(rect, line); });
    };
    for (const TickLabel &label : labels)
        if (!blocked(label.beside))
            placed.push_back({label.beside, label.text, crossed(label.beside)});
    return placed;
}

} // namespace graph
