#pragma once

#include "solution.h"

#include <QWidget>

// The graph of a worked solution: the parabola or line over a range that shows its marked
// points, with axes at round ticks. Drawn afresh at every paint, so it is sharp at any pixel
// ratio and follows the widget's size.
class GraphView : public QWidget
{
    Q_OBJECT

public:
    explicit GraphView(QWidget *parent = nullptr);

    // Also says in the accessible description which points the graph marks.
    void setGraph(const solvers::Graph &graph);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    solvers::Graph m_graph;
    // Until the first graph arrives there is nothing to draw, not even the line y = 0.
    bool m_hasGraph = false;
};
