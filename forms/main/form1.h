#pragma once

#include "boxes.h"
#include "solution.h"

#include <QKeySequence>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <optional>

namespace Ui {
class Form1;
}
namespace registry {
class Registry;
}
class frmAbout;
class frmSolution;
class QLabel;
class QLineEdit;

// The main window: both solvers, the About button and the home-page link. Its controls are
// reachable by their object names. The About dialog it opens looks the system-information tool
// up in the given registry. Beside each result label: the exact answer as its tooltip, a context
// menu, and the worked solution's window (Ctrl+1, Ctrl+2).
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(registry::Registry &registry, QWidget *parent = nullptr);
    ~Form1() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The two result labels: the quadratic's and the line's.
    enum Result { Quadratic, Line };

    void applyFonts();
    void wireHandlers();
    void wireExactAnswers();
    std::optional<solvers::Boxes> readBoxes(Result result,
                                            std::initializer_list<const QLineEdit *> boxes);
    void showAnswer(Result result, const QString &caption, solvers::Solution solution);
    void contextMenu(Result result, const QPoint &pos);
    void openSolution(Result result);
    QLabel *resultLabel(Result result) const;
    static QKeySequence shortcutOf(Result result);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Load();
    void Form_MouseMove(int button, int shift, int x, int y);
    void Label17_Click();
    void Label17_MouseMove(int button, int shift, int x, int y);

    std::unique_ptr<Ui::Form1> ui;
    registry::Registry &m_registry;
    frmAbout *m_about = nullptr;                     // one object for the run, made on first use
    std::optional<solvers::Solution> m_solutions[2]; // of each label's last answer
    frmSolution *m_solution = nullptr;               // made on first opening
    Result m_shown = Quadratic;                      // whose solution it shows
};
