#pragma once

#include "practice/History.h"
#include "practice/Session.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace chordalis {

class Program;

// frmPractice: one question at a time, answered from the keyboard. The quiz and the session's
// length are chosen, Start (Alt+S) asks the first question on the neck the main window shows
// (its tuning and capo); the answer is typed and Enter judges it, keeps it in the history and asks
// the next; Play Again (Ctrl+R) sounds a by-ear question once more through the program's
// player. The summary ends the session. The history is opened at the first Start; a damaged or
// read-only file is said in the window, not in a message box, and the session goes on.
class PracticeWindow : public QDialog {
    Q_OBJECT

public:
    // historyPath: the SQLite file the answers are kept in (defaultHistoryPath() in the program).
    PracticeWindow(Program& program, QString historyPath, QWidget* parent = nullptr);
    ~PracticeWindow() override;

private:
    void start();
    void answer();
    void ask();
    void play();
    void finish();

    Program& m_program;
    QString m_historyPath;
    SystemWallClock m_clock;
    std::unique_ptr<PracticeHistory> m_history;
    std::unique_ptr<PracticeSession> m_session;
    std::optional<Question> m_question;
    int m_number = 0;

    QComboBox* m_quiz;
    QSpinBox* m_length;
    QPushButton* m_start;
    QLabel* m_prompt;
    QLineEdit* m_answer;
    QPushButton* m_play;
    QLabel* m_feedback;
    QLabel* m_note; // what the history said when it was opened
};

} // namespace chordalis
