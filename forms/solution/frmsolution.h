#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class frmSolution;
}
namespace solvers {
struct Solution;
}

// The worked solution of one answer, as text that copies as it reads, and its graph. A window of
// the main window's own: it closes with it and never keeps the program running.
class frmSolution : public QWidget
{
    Q_OBJECT

public:
    explicit frmSolution(QWidget *owner);
    ~frmSolution() override;

    void setSolution(const solvers::Solution &solution);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::frmSolution> ui;
};
