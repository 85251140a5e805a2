#include "frmsolution.h"

#include "checking.h"
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
    for (QPlainTextEdit *box : {ui->txtMine, ui->txtVerdict})
        box->setMaximumHeight(box->fontMetrics().lineSpacing() * 6);
    connect(ui->cmdCheck, &QPushButton::clicked, this, &frmSolution::check);
    ui->txtMine->installEventFilter(this);
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
    ui->fraCheck->setVisible(!solution.coefficients.empty());
    if (solution.coefficients != m_equation) {
        ui->txtMine->clear();
        ui->txtVerdict->clear();
        ui->txtVerdict->setAccessibleDescription({});
        m_equation = solution.coefficients;
    }
}

void frmSolution::check()
{
    if (m_equation.size() != 3)
        return;
    const QString verdict = QString::fromStdU16String(solvers::checkWorking(
        m_equation[0], m_equation[1], m_equation[2], ui->txtMine->toPlainText().toStdU16String()));
    ui->txtVerdict->setPlainText(verdict);
    // A screen reader hears the new verdict as it hears a new answer.
    ui->txtVerdict->setAccessibleDescription(verdict);
}

void frmSolution::showMethod(int index)
{
    ui->cboMethod->setCurrentIndex(index);
    ui->txtSteps->setPlainText(
        QString::fromStdU16String(m_methods[static_cast<std::size_t>(index)].steps));
}

// Ctrl+Enter in the student's lines checks them; a plain Enter starts the next line.
bool frmSolution::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->txtMine && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & Qt::ControlModifier)) {
            ui->cmdCheck->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSolution::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
