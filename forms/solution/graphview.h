#pragma once

#include "graphlayout.h"
#include "solution.h"

#include <QWidget>

// The graph of a worked solution: the parabola or line over a range that shows its marked
// points, with axes at round ticks. Drawn afresh at every paint, so it is sharp at any pixel
// ratio and follows the widget's size. The wheel and the keys zoom, a drag pans, and the context
// menu copies or saves the picture.
class GraphView : public QWidget
{
    Q_OBJECT

public:
    explicit GraphView(QWidget *parent = nullptr);

    // Also says in the accessible description which points the graph marks.
    void setGraph(const solvers::Graph &graph);

    // The range shown, moved by the wheel, the keys and drags.
    const graph::Frame &view() const { return m_view; }

    // PDF, one vector page, for a name ending in .pdf; otherwise PNG at twice the pixels shown.
    bool saveImage(const QString &fileName) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paint(QPainter &painter, double ratio) const;
    QImage image(double scale) const;
    void saveWithDialog();
    std::optional<graph::Scene> scene() const;
    // The view shown, moved so that the data point lies at the pixel.
    void moveView(double factor, QPointF data, QPointF pixel);
    void zoomAbout(QPointF pixel, double factor);
    void restoreView();

    solvers::Graph m_graph;
    // Until the first graph arrives there is nothing to draw, not even the line y = 0.
    bool m_hasGraph = false;
    graph::Frame m_home, m_view;
    // The data point a drag holds under the pointer.
    std::optional<QPointF> m_grabbed;
    // Where the last picture was saved, for the next.
    QString m_folder;
};
