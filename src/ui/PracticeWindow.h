#pragma once

#include "fretboard/Fretboard.h"
#include "practice/History.h"
#include "practice/Session.h"

#include <QDialog>
#include <QPointF>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace chordalis {

class HeatMapView;
class NeckView;
class ProgressChart;
class Program;

// frmPractice: one question at a time, answered from the keyboard. The quiz and the session's
// length are chosen, Start (Alt+S) asks the first question on the neck the main window shows
// (its tuning and capo); the answer is typed and Enter judges it, keeps it in the history and asks
// the next. A question about the neck is drawn on a neck of the window's own, lit on the LED
// guitar, and its places are answered by clicking them there (a second click takes a place back;
// Answer or Enter judges them). A naming or by-ear question also offers its answers as buttons
// (Alt+1..9, Alt+0, then Alt+letter). With listening on, or a MIDI instrument played, a note or
// chord played answers a neck or naming question as typing it would. Play Again (Ctrl+R) sounds a
// by-ear question once more through the program's player. A chord change is timed: Start the Minute
// (Alt+M) runs the metronome for a minute, the pedal's presses count the changes meanwhile, and the
// count is the answer; the pair's best is shown. A run (a scale or arpeggio position) is drawn on
// the neck; Start the Run (Alt+M) sets the metronome to the position's tempo and lights each note
// on its beat, up and down, and the player says whether it was clean (y or n): a clean run raises
// the position's tempo a step for the next. Progress (Alt+P) shows the accuracy and answer time per
// day and a heat map of the neck by accuracy per place, for one quiz or all, over a week, four or
// eight weeks, or every answer. While the window is the active one, the pedal's left switch answers
// and goes on (or starts a session) and its right switch repeats the question. The summary ends the
// session. The history is opened at the first Start; a damaged or read-only file is said in the
// window, not in a message box, and the session goes on.
class PracticeWindow : public QDialog {
    Q_OBJECT

public:
    // historyPath: the SQLite file the answers are kept in (defaultHistoryPath() in the program).
    PracticeWindow(Program& program, QString historyPath, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    NeckView& neck() { return *m_neck; }
    // How long a timed round of changes lasts, in seconds (1..600; a minute unless changed).
    void setChangeSeconds(int seconds) { m_changeSeconds = std::clamp(seconds, 1, 600); }
    // A switch of the pedal: 1 the left ("next"), 2 the right ("repeat"); during a timed round
    // either counts a change.
    void pedalSwitch(int which);

    // Shows the progress window with what the history holds now; returns it.
    QDialog* showProgress();

    // Notes played or heard (MIDI notes, lowest first), as Program::showHeard hands them: taken
    // as the answer once they have held still for PlayedSettleMs.
    void heard(const std::vector<int>& notes);
    // How long played notes must hold still before they count, ms: the notes of a chord played
    // on a MIDI instrument arrive one by one.
    static constexpr int PlayedSettleMs = 150;

    // The question shown, or nothing between sessions.
    const std::optional<Question>& question() const { return m_question; }

protected:
    // The guitar shows the main window's neck again.
    void hideEvent(QHideEvent* event) override;

private:
    void start();
    // Opens the history at the first need; what opening said stands in the window.
    void openHistoryOnce();
    void answer();
    // The expected answer as the window offers it (a note spelled as the buttons spell it).
    QString expectedAsOffered() const;
    void ask();
    void play();
    void finish();
    void neckPressed(Qt::MouseButton button, QPointF surfacePos);
    void drawNeck();
    // The answer buttons of the question shown (none for places, counts and yes or no).
    void showChoices();
    // Takes the notes played last as the answer.
    void takePlayed();
    // Fills the progress window for the quiz and period chosen in it.
    void showProgressFor();
    // Start the Minute / Start the Run.
    void startTimed();
    void startRun();
    // Follows the round or run on the program's clock (the timer calls it while one goes on).
    void follow();
    void followRun();
    void followRound();
    // Ends the round or run: the metronome stops and takes its own tempo back.
    void stopTimed();
    void showRound();
    // The best the history keeps for the item, or -1.
    int bestOf(const QString& item);

    Program& m_program;
    QString m_historyPath;
    SystemWallClock m_clock;
    std::unique_ptr<PracticeHistory> m_history;
    std::unique_ptr<PracticeSession> m_session;
    std::optional<Question> m_question;
    int m_number = 0;
    Fretboard m_board;
    std::vector<NeckPlace> m_chosen;            // the places clicked for the question shown
    std::vector<EarProgression> m_progressions; // read at the first progressions session
    QTimer m_timer;            // follows a round of changes or a run while one goes on
    int m_changeSeconds = 60;  // a round's length
    bool m_round = false;      // a round of changes goes on
    int m_secondsLeft = 0;     // of that round, as last shown
    int m_pedalCount = 0;      // changes the pedal counted in this round
    double m_timedStart = 0;   // when the round or run started, on the program's clock, seconds
    int m_runNote = -1;        // the run's note lit now, -1 none
    int m_tempoBefore = 0;     // the metronome's tempo before a run, given back after it
    std::vector<int> m_played; // the notes played last, waiting to hold still
    QTimer m_playedTimer;      // fires when they have
    double m_deafUntil = 0;    // the question sounds until then (program's clock, s): the
                               // listener would hear the program's own notes as an answer

    QComboBox* m_quiz;
    QSpinBox* m_length;
    QPushButton* m_start;
    QLabel* m_prompt;
    NeckView* m_neck;
    QLineEdit* m_answer;
    QPushButton* m_submit;
    QPushButton* m_play;
    QPushButton* m_minute;
    QLabel* m_minuteLabel;
    QWidget* m_choices;
    QGridLayout* m_choiceGrid;
    QPushButton* m_progressButton;
    QDialog* m_progress = nullptr; // made at the first Progress
    QComboBox* m_progressQuiz = nullptr;
    QComboBox* m_progressPeriod = nullptr;
    ProgressChart* m_chart = nullptr;
    HeatMapView* m_heatMap = nullptr;
    QLabel* m_progressNote = nullptr;
    QLabel* m_heatNote = nullptr;
    QLabel* m_feedback;
    QLabel* m_note; // what the history said when it was opened
};

} // namespace chordalis
