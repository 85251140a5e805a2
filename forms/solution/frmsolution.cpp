#include "frmsolution.h"

#include "solution.h"
#include "ui_frmsolution.h"

#include <QKeyEvent>

frmSolution::frmSolution(QWidget *owner)
    : QWidget(owner, Qt::Window), ui(std::make_unique<Ui::frmSolution>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    // Steps shorter than the box leave the rest of the window to the graph.
    ui->txtSteps->setMaximumHeight(ui->txtSteps->fontMetrics().lineSpacing() * 11);
}

frmSolution::~frmSolution() = default;

void frmSolution::setSolution(const solvers::Solution &solution)
{
    ui->txtSteps->setPlainText(QString::fromStdU16String(solution.steps));
    ui->picGraph->setGraph(solution.graph);
}

void frmSolution::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
