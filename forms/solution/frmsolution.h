#pragma once

#include "solution.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class frmSolution;
}

// The worked solution of one answer, as text that copies as it reads, and its graph. A window of
// the main window's own: it closes with it and never keeps the program running. For a quadratic
// equation cboMethod offers the methods that apply; a method the user picks is shown whenever it
// applies, for as long as the window lives, which is the rest of the run. Under an equation's
// working the student's own lines are checked; they stay while GO answers the same equation.
class frmSolution : public QWidget
{
    Q_OBJECT

public:
    explicit frmSolution(QWidget *owner);
    ~frmSolution() override;

    void setSolution(const solvers::Solution &solution);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showMethod(int index);
    void check();

    std::unique_ptr<Ui::frmSolution> ui;
    std::vector<solvers::Worked> m_methods;
    std::optional<solvers::Method> m_picked;
    std::vector<rt::Radical> m_equation; // a, b, c of the working being checked
};
