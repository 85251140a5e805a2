#include "conversions.h"
#include "graphlayout.h"
#include "graphview.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gmpxx.h>

// The graph's places: the tick labels that help most, which tick labels a line grounds or
// another label drops, the point the pointer rests on, and a zoom that keeps what is under the
// pointer.
class tst_Graph : public QObject
{
    Q_OBJECT

private slots:
    void tickLabels_data();
    void tickLabels();
    void tickLabelRules_data();
    void tickLabelRules();
    void pointNear_data();
    void pointNear();
    void zoom_data();
    void zoom();
};

namespace {

// The graph area of the worked-solution window as it first opens.
const QRectF Bounds(0, 0, 538, 458);

std::vector<rt::Number> numbers(const QStringList &boxes)
{
    std::vector<rt::Number> n;
    for (const QString &box : boxes)
        n.push_back(rt::ValNumber(box.toStdU16String()));
    return n;
}

solvers::Graph graphOf(const QStringList &boxes)
{
    const std::vector<rt::Number> n = numbers(boxes);
    return (n.size() == 3 ? solvers::quadraticSolution(n[0], n[1], n[2])
                          : solvers::lineSolution(n[0], n[1], n[2], n[3]))
        .graph;
}

graph::Scene sceneOf(const solvers::Graph &graph)
{
    const std::optional<graph::Scene> scene = graph::sceneOf(
        graph, graph::frameOf(graph), Bounds, QFontMetricsF(QApplication::font()), 1);
    if (!scene)
        qFatal("no room for the graph");
    return *scene;
}

} // namespace

void tst_Graph::tickLabels_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("text");
    QTest::newRow("axis of symmetry of 1/4, −2, 2") << QStringList{"1/4", "-2", "2"} << "4";
    QTest::newRow("line through (1/2, 1/3), (3/4, 1) at the y-axis")
        << QStringList{"1/2", "1/3", "3/4", "1"} << "−1";
}

// The axis of symmetry on the x-axis, a line's crossing on the y-axis: the tick there is labelled
// although a line runs through its place.
void tst_Graph::tickLabels()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, text);
    const std::vector<rt::Number> n = numbers(boxes);
    const solvers::Graph graph = graphOf(boxes);
    const bool quadratic = n.size() == 3;
    // −b/(2a), or the y-intercept y₁ − k·x₁.
    const mpq_class value =
        quadratic ? mpq_class(-n[1].exact / (2 * n[0].exact))
                  : mpq_class(n[1].exact -
                              (n[3].exact - n[1].exact) / (n[2].exact - n[0].exact) * n[0].exact);
    const graph::Scene scene = sceneOf(graph);
    const double at = quadratic ? scene.plot.px(value.get_d()) : scene.plot.py(value.get_d());
    const auto found = std::find_if(
        scene.tickLabels.begin(), scene.tickLabels.end(), [&](const graph::Label &label) {
            const QPointF centre = label.rect.center();
            return label.text == text && std::fabs((quadratic ? centre.x() : centre.y()) - at) < 1;
        });
    QVERIFY(found != scene.tickLabels.end());
    QVERIFY(found->grounded);
}

void tst_Graph::tickLabelRules_data()
{
    QTest::addColumn<QRectF>("other");   // another label's place, or none
    QTest::addColumn<QLineF>("line");    // a line, or none
    QTest::addColumn<QString>("placed"); // beside, grounded (beside, on a light ground), dropped
    const QRectF none, over(115, 104, 30, 14);
    const QLineF noLine, through(90, 108, 140, 108);
    QTest::newRow("nothing in the way") << none << noLine << "beside";
    QTest::newRow("a line through it") << none << through << "grounded";
    QTest::newRow("a label over it") << over << noLine << "dropped";
    QTest::newRow("a label over it, a line through it") << over << through << "dropped";
}

// Only another label drops a tick label; a line puts it on a light ground.
void tst_Graph::tickLabelRules()
{
    QFETCH(QRectF, other);
    QFETCH(QLineF, line);
    QFETCH(QString, placed);
    const graph::TickLabel label{"2", QRectF(100, 100, 20, 14)};
    std::vector<QRectF> others;
    if (!other.isNull())
        others.push_back(other);
    std::vector<QLineF> lines;
    if (!line.isNull())
        lines.push_back(line);
    const std::vector<graph::Label> drawn =
        graph::placedTickLabels({label}, QRectF(0, 0, 300, 300), others, lines, {});
    const QString seen = drawn.empty() ? "dropped" : drawn[0].grounded ? "grounded" : "beside";
    QCOMPARE(seen, placed);
}

void tst_Graph::pointNear_data()
{
    QTest::addColumn<double>("x");     // a point of the curve of 1/4 x² − 2x + 2
    QTest::addColumn<double>("below"); // pixels below it
    QTest::addColumn<QString>("tip");
    // 1/4 · 2.5² − 2 · 2.5 + 2 = −23/16
    QTest::newRow("on the curve") << 2.5 << 0.0 << "(2.5, −1.44)";
    QTest::newRow("7 px below the vertex") << 4.0 << 7.0 << "(4, −2)";
    QTest::newRow("9 px below the vertex") << 4.0 << 9.0 << "";
}

// Resting within 8 px of the curve names its point to three significant digits.
void tst_Graph::pointNear()
{
    QFETCH(double, x);
    QFETCH(double, below);
    QFETCH(QString, tip);
    const solvers::Graph graph = graphOf({"1/4", "-2", "2"});
    const graph::Scene scene = sceneOf(graph);
    const mpq_class exact(x);
    const double y = mpq_class(exact * exact / 4 - 2 * exact + 2).get_d();
    const QPointF pointer(scene.plot.px(x), scene.plot.py(y) + below);
    QCOMPARE(graph::pointNear(graph, scene, pointer).value_or(QString()), tip);
}

void tst_Graph::zoom_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<int>("delta"); // of the wheel, 120 a notch
    QTest::newRow("in, left of the vertex") << QPointF(150, 200) << 120;
    QTest::newRow("out") << QPointF(400, 300) << -120;
    QTest::newRow("in twice, the y-axis leaves the view") << QPointF(400, 200) << 240;
}

// The wheel zooms by 1.25 a notch and keeps the data point under the pointer where it was, also
// where the area moves because an axis left the view.
void tst_Graph::zoom()
{
    QFETCH(QPointF, pointer);
    QFETCH(int, delta);
    GraphView view;
    view.resize(Bounds.size().toSize());
    view.setGraph(graphOf({"1/4", "-2", "2"}));
    const QFontMetricsF metrics(view.font());
    const graph::Frame before = view.view();
    const QPointF data = graph::plotOf(before, view.rect(), metrics)->dataAt(pointer);
    QWheelEvent wheel(pointer, view.mapToGlobal(pointer), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    const graph::Frame after = view.view();
    QVERIFY(qFuzzyCompare(before.x.width() / after.x.width(), std::pow(1.25, delta / 120.0)));
    QVERIFY(qFuzzyCompare(before.y.width() / after.y.width(), std::pow(1.25, delta / 120.0)));
    const graph::Plot plot = *graph::plotOf(after, view.rect(), metrics);
    QVERIFY(std::fabs(plot.px(data.x()) - pointer.x()) < 1e-6);
    QVERIFY(std::fabs(plot.py(data.y()) - pointer.y()) < 1e-6);
}

QTEST_MAIN(tst_Graph)
#include "tst_graph.moc"
