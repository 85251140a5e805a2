#include "frmsolution.h"

#include "solution.h"
#include "ui_frmsolution.h"

#include <QKeyEvent>

frmSolution::frmSolution(QWidget *owner)
    : QWidget(owner, Qt::Window), ui(std::make_unique<Ui::frmSolution>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    // Room for a working of a dozen lines, the tail included; the rest of the window is the
    // graph's.
    ui->txtSteps->setMaximumHeight(ui->txtSteps->fontMetrics().lineSpacing() * 14);
    connect(ui->cboMethod, &QComboBox::activated, this, [this](int index) {
        m_picked = m_methods[static_cast<std::size_t>(index)].method;
        showMethod(index);
    });
}

frmSolution::~frmSolution() = default;

void frmSolution::setSolution(const solvers::Solution &solution)
{
    m_methods = solution.methods;
    ui->cboMethod->setVisible(!m_methods.empty());
    ui->cboMethod->clear();
    int shown = 0;
    for (const solvers::Worked &worked : m_methods) {
        if (worked.method == m_picked)
            shown = ui->cboMethod->count();
        ui->cboMethod->addItem(
            QString::fromStdU16String(std::u16string(solvers::methodName(worked.method))));
    }
    if (m_methods.empty())
        ui->txtSteps->setPlainText(QString::fromStdU16String(solution.steps));
    else
        showMethod(shown);
    ui->picGraph->setGraph(solution.graph);
}

void frmSolution::showMethod(int index)
{
    ui->cboMethod->setCurrentIndex(index);
    ui->txtSteps->setPlainText(
        QString::fromStdU16String(m_methods[static_cast<std::size_t>(index)].steps));
}

void frmSolution::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
