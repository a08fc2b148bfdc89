#include "ui/PracticeWindow.h"

#include "app/PracticeNeck.h"
#include "app/Program.h"
#include "library/Warnings.h"
#include "practice/Progress.h"
#include "ui/HeatMapView.h"
#include "ui/NeckView.h"
#include "ui/ProgressChart.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// The days the progress plot shows: eight weeks up to today.
constexpr int ProgressDays = 56;

// How long each chord of a progression sounds, in seconds.
constexpr float ProgressionChordSeconds = 1.6f;

// How an answer is typed, shown under the question.
QString answerHint(AnswerKind kind) {
    switch (kind) {
    case AnswerKind::Places:
        return QStringLiteral("Click the places on the neck, or type them: s6f3 s4f5");
    case AnswerKind::NoteName:
        return QStringLiteral("Type the note: C, F#, Bb");
    case AnswerKind::Interval:
        return QStringLiteral("Type the interval: m2 M2 m3 M3 P4 TT P5 m6 M6 m7 M7 P8");
    case AnswerKind::Quality:
        return QStringLiteral("Type the quality: maj m dim aug 7 maj7 m7 m7b5 dim7");
    case AnswerKind::ScaleName:
        return QStringLiteral("Type the scale: major, dorian, minor, harmonic minor, blues..");
    case AnswerKind::Numerals:
        return QStringLiteral("Type the numerals: I V vi IV");
    case AnswerKind::Clean:
        return QStringLiteral("Was the run clean? Type y or n");
    case AnswerKind::Count:
        break;
    }
    return QStringLiteral("Type how many clean changes you made");
}

} // namespace

PracticeWindow::PracticeWindow(Program& program, QString historyPath, QWidget* parent)
    : QDialog(parent), m_program(program), m_historyPath(std::move(historyPath)),
      m_board(program.state().neckSettings(), program.guitar()), m_quiz(new QComboBox(this)),
      m_length(new QSpinBox(this)), m_start(new QPushButton(QStringLiteral("&Start"), this)),
      m_prompt(new QLabel(this)), m_neck(new NeckView(m_board, this)),
      m_answer(new QLineEdit(this)), m_submit(new QPushButton(QStringLiteral("A&nswer"), this)),
      m_play(new QPushButton(QStringLiteral("Play &Again"), this)),
      m_minute(new QPushButton(QStringLiteral("Start the &Minute"), this)),
      m_minuteLabel(new QLabel(this)),
      m_progressButton(new QPushButton(QStringLiteral("&Progress..."), this)),
      m_feedback(new QLabel(this)), m_note(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPractice"));
    setWindowTitle(QStringLiteral("Practice"));
    m_quiz->setObjectName(QStringLiteral("cboQuiz"));
    for (const QString& word : quizWords())
        m_quiz->addItem(quizCaption(*quizOfWord(word)), int(*quizOfWord(word)));
    m_length->setObjectName(QStringLiteral("udLength"));
    m_length->setRange(1, 200); // questions
    m_length->setValue(20);
    m_start->setObjectName(QStringLiteral("cmdStart"));
    m_prompt->setObjectName(QStringLiteral("lblQuestion"));
    m_prompt->setWordWrap(true);
    QFont big = m_prompt->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_prompt->setFont(big);
    m_neck->setObjectName(QStringLiteral("picPractice"));
    m_neck->hide();
    m_answer->setObjectName(QStringLiteral("txtAnswer"));
    m_answer->setEnabled(false);
    m_submit->setObjectName(QStringLiteral("cmdAnswer"));
    m_submit->setEnabled(false);
    m_play->setObjectName(QStringLiteral("cmdPlayAgain"));
    m_play->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_play->setEnabled(false);
    m_progressButton->setObjectName(QStringLiteral("cmdProgress"));
    m_minute->setObjectName(QStringLiteral("cmdMinute"));
    m_minute->hide();
    m_minuteLabel->setObjectName(QStringLiteral("lblMinute"));
    m_minuteLabel->hide();
    m_timer.setInterval(10); // ms: a run's note lit within a hundredth of a second of its beat
    m_feedback->setObjectName(QStringLiteral("lblFeedback"));
    m_feedback->setWordWrap(true);
    m_note->setObjectName(QStringLiteral("lblHistory"));
    m_note->setWordWrap(true);

    auto* choose = new QFormLayout;
    choose->addRow(QStringLiteral("&Quiz:"), m_quiz);
    choose->addRow(QStringLiteral("&Questions:"), m_length);
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(m_answer, 1);
    answerRow->addWidget(m_submit);
    answerRow->addWidget(m_play);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choose);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(m_start, 1);
    startRow->addWidget(m_progressButton);
    layout->addLayout(startRow);
    layout->addWidget(m_prompt);
    layout->addWidget(m_neck, 1);
    auto* minuteRow = new QHBoxLayout;
    minuteRow->addWidget(m_minute);
    minuteRow->addWidget(m_minuteLabel, 1);
    layout->addLayout(minuteRow);
    layout->addLayout(answerRow);
    layout->addWidget(m_feedback);
    layout->addWidget(m_note);
    layout->addStretch();
    resize(640, 420);

    // Enter belongs to the answer: no button of the window takes it.
    for (QPushButton* b : {m_start, m_submit, m_play, m_minute, m_progressButton})
        b->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &PracticeWindow::start);
    connect(m_answer, &QLineEdit::returnPressed, this, &PracticeWindow::answer);
    connect(m_submit, &QPushButton::clicked, this, &PracticeWindow::answer);
    connect(m_play, &QPushButton::clicked, this, &PracticeWindow::play);
    connect(m_neck, &NeckView::pressed, this, &PracticeWindow::neckPressed);
    connect(m_minute, &QPushButton::clicked, this, &PracticeWindow::startTimed);
    connect(m_progressButton, &QPushButton::clicked, this, &PracticeWindow::showProgress);
    connect(&m_timer, &QTimer::timeout, this, &PracticeWindow::follow);
    connect(&program.guitar(), &LedGuitar::switchPressed, this, [this](int which) {
        if (isActiveWindow())
            pedalSwitch(which);
    });
}

PracticeWindow::~PracticeWindow() = default;

void PracticeWindow::openHistoryOnce() {
    if (m_history)
        return;
    OpenedHistory opened = openHistory(m_historyPath, m_clock);
    m_history = std::move(opened.history);
    m_note->setText(opened.message);
}

QDialog* PracticeWindow::showProgress() {
    openHistoryOnce();
    if (!m_progress) {
        m_progress = new QDialog(this);
        m_progress->setObjectName(QStringLiteral("frmProgress"));
        m_progress->setWindowTitle(QStringLiteral("Practice Progress"));
        m_chart = new ProgressChart(m_progress);
        m_heatMap = new HeatMapView(m_program.state().neckSettings(), m_progress);
        m_progressNote = new QLabel(m_progress);
        m_progressNote->setObjectName(QStringLiteral("lblProgress"));
        m_progressNote->setWordWrap(true);
        auto* layout = new QVBoxLayout(m_progress);
        layout->addWidget(m_progressNote);
        layout->addWidget(m_chart, 1);
        layout->addWidget(new QLabel(QStringLiteral("Accuracy on the neck, in per cent of the "
                                                    "answers about each place:"),
                                     m_progress));
        layout->addWidget(m_heatMap, 1);
        m_progress->resize(680, 520);
    }
    const std::vector<AnswerRecord> answers = m_history->answers();
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.nowMs());
    const QDate today = now.date();
    const std::vector<DayProgress> days =
        progressByDay(answers, today.addDays(-(ProgressDays - 1)), today, now.offsetFromUtc());
    int asked = 0, right = 0;
    for (const DayProgress& d : days) {
        asked += d.asked;
        right += d.right;
    }
    m_chart->setDays(days);
    m_heatMap->setScores(placeScores(answers));
    m_progressNote->setText(
        asked == 0 ? QStringLiteral("No answers in the last %1 weeks yet.").arg(ProgressDays / 7)
                   : QStringLiteral("%1 answers in the last %2 weeks, %3% of them right.")
                         .arg(asked)
                         .arg(ProgressDays / 7)
                         .arg(qRound(100.0 * right / asked)));
    m_progress->show();
    m_progress->raise();
    return m_progress;
}

void PracticeWindow::start() {
    openHistoryOnce();
    const auto kind = QuizKind(m_quiz->currentData().toInt());
    const AppState& state = m_program.state();
    const QuizNeck neck{state.instrument, state.capo};
    const quint64 seed = quint64(m_clock.nowMs());
    if (kind == QuizKind::Progressions && m_progressions.empty()) {
        Warnings quiet(/*quiet=*/true);
        m_progressions = earProgressions(loadProgressions(m_program.context().ini, quiet),
                                         m_program.search(), state.chords);
    }
    m_session = std::make_unique<PracticeSession>(
        kind, neck, quizItems(kind, neck, changeChords(state.chords), m_progressions), *m_history,
        m_clock, seed, m_length->value());
    m_session->setProgressions(m_progressions);
    m_number = 0;
    m_feedback->clear();
    ask();
}

void PracticeWindow::ask() {
    m_question = m_session ? m_session->next() : std::nullopt;
    if (!m_question) {
        finish();
        return;
    }
    ++m_number;
    QString prompt = QStringLiteral("%1. %2").arg(m_number).arg(m_question->prompt);
    if (const int best = bestOf(m_question->item); best >= 0)
        prompt += QStringLiteral(" (best: %1)").arg(best);
    m_prompt->setText(prompt);
    const bool run = m_question->quiz == QuizKind::Runs;
    const bool timed = m_question->answerKind == AnswerKind::Count || run;
    m_minute->setText(run ? QStringLiteral("Start the Run at %1 bpm (&M)").arg(m_question->tempo)
                          : QStringLiteral("Start the &Minute"));
    m_minute->setVisible(timed);
    m_minute->setEnabled(timed);
    m_minuteLabel->setVisible(timed);
    m_minuteLabel->clear();
    m_answer->setPlaceholderText(answerHint(m_question->answerKind));
    m_answer->clear();
    m_answer->setEnabled(true);
    m_submit->setEnabled(true);
    m_answer->setFocus();
    m_chosen.clear();
    drawNeck();
    m_play->setEnabled(m_question->places.empty() &&
                       (!m_question->notes.empty() || !m_question->chords.empty()));
    if (m_play->isEnabled())
        play();
}

void PracticeWindow::drawNeck() {
    const bool onNeck = m_question && !m_question->places.empty();
    m_neck->setVisible(onNeck);
    if (!onNeck)
        return;
    drawQuestion(m_board, *m_question, m_chosen, m_runNote);
    m_neck->refresh();
}

void PracticeWindow::neckPressed(Qt::MouseButton button, QPointF surfacePos) {
    if (!m_question || m_question->answerKind != AnswerKind::Places)
        return;
    const std::optional<NeckPlace> place = practicePlaceAt(m_program.state(), surfacePos);
    if (!place)
        return;
    // Any button but the left one only takes a chosen place back.
    const bool chosen = std::find(m_chosen.begin(), m_chosen.end(), *place) != m_chosen.end();
    if (button == Qt::LeftButton || chosen)
        togglePlace(m_chosen, *place);
    m_answer->setText(placesAnswer(m_chosen));
    m_answer->setFocus();
    drawNeck();
}

int PracticeWindow::bestOf(const QString& item) {
    if (!m_history)
        return -1;
    const std::map<QString, int> bests = m_history->bests();
    const auto at = bests.find(item);
    return at != bests.end() ? at->second : -1;
}

void PracticeWindow::startTimed() {
    if (!m_question || m_timer.isActive())
        return;
    if (m_question->quiz == QuizKind::Runs) {
        m_tempoBefore = m_program.metronomeSettings().tempo;
        m_program.metronome().setTempo(m_question->tempo);
        m_runNote = -1;
        m_minuteLabel->setText(
            QStringLiteral("Playing at %1 beats a minute").arg(m_question->tempo));
    } else if (m_question->answerKind == AnswerKind::Count) {
        m_round = true;
        m_pedalCount = 0;
        m_secondsLeft = m_changeSeconds;
        showRound();
    } else {
        return;
    }
    m_program.metronome().setRunning(true);
    m_timedStart = m_program.clock().now();
    m_minute->setEnabled(false);
    m_timer.start();
}

void PracticeWindow::follow() {
    if (!m_question)
        return stopTimed();
    if (m_round)
        followRound();
    else
        followRun();
}

void PracticeWindow::followRun() {
    const std::optional<int> note = runNoteAt(m_program.clock().now() - m_timedStart,
                                              m_question->tempo, int(m_question->places.size()));
    if (!note) {
        stopTimed();
        m_minuteLabel->setText(QStringLiteral("Was it clean? y or n"));
        m_answer->setFocus();
    } else if (*note != m_runNote) {
        m_runNote = *note;
        drawNeck();
    }
}

void PracticeWindow::followRound() {
    const double left = m_changeSeconds - (m_program.clock().now() - m_timedStart);
    const int seconds = std::max(0, int(std::ceil(left)));
    if (seconds != m_secondsLeft) {
        m_secondsLeft = seconds;
        showRound();
    }
    if (left > 0)
        return;
    stopTimed();
    if (m_pedalCount > 0)
        m_answer->setText(QString::number(m_pedalCount));
    m_answer->setFocus();
}

void PracticeWindow::stopTimed() {
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    m_program.metronome().setRunning(false);
    if (!m_round)
        m_program.metronome().setTempo(m_tempoBefore);
    m_round = false;
    m_runNote = -1;
    m_minute->setEnabled(true);
    drawNeck();
}

void PracticeWindow::showRound() {
    QString said = m_secondsLeft > 0 ? QStringLiteral("%1:%2 left")
                                           .arg(m_secondsLeft / 60)
                                           .arg(m_secondsLeft % 60, 2, 10, QLatin1Char('0'))
                                     : QStringLiteral("Time: how many clean changes?");
    if (m_pedalCount > 0)
        said += QStringLiteral(" \u2014 the pedal counted %1").arg(m_pedalCount);
    m_minuteLabel->setText(said);
}

void PracticeWindow::pedalSwitch(int which) {
    if (m_round) {
        ++m_pedalCount;
        showRound();
    } else if (which == 1) {
        if (m_session && m_question)
            answer();
        else
            start();
    } else if (m_question) {
        drawNeck();
        play();
    }
}

void PracticeWindow::hideEvent(QHideEvent* event) {
    stopTimed();
    m_program.guitar().sendFrame(m_program.fretboard().ledFrame());
    QDialog::hideEvent(event);
}

void PracticeWindow::play() {
    if (!m_question)
        return;
    auto strumOf = [](const std::vector<int>& notes) {
        Strum strum;
        for (int n : notes)
            strum.push_back({0, n});
        return strum;
    };
    Player& player = m_program.player();
    if (!m_question->chords.empty()) {
        std::vector<Strum> chords;
        for (const std::vector<int>& chord : m_question->chords)
            chords.push_back(strumOf(chord));
        player.strumInTurn(chords, ProgressionChordSeconds);
    } else if (m_question->together) {
        player.strum(strumOf(m_question->notes));
    } else if (!m_question->notes.empty()) {
        player.playNotes(strumOf(m_question->notes), m_question->quiz == QuizKind::Scales
                                                         ? PlayKind::Scale
                                                         : PlayKind::Arpeggio);
    }
}

void PracticeWindow::answer() {
    if (!m_session || !m_question)
        return;
    stopTimed(); // answered before the round or run ended: it ends now
    const auto outcome = m_session->answer(m_answer->text());
    if (!outcome)
        return;
    QString said;
    if (!outcome->judgement.known)
        said = outcome->judgement.reason + QStringLiteral(". The answer: ") + m_question->expected;
    else if (outcome->grade == Grade::Wrong)
        said = QStringLiteral("Not quite: %1").arg(m_question->expected);
    else if (outcome->grade == Grade::Slow)
        said = QStringLiteral("Right, but slow (%1 s)").arg(outcome->seconds, 0, 'f', 1);
    else
        said = QStringLiteral("Right (%1 s)").arg(outcome->seconds, 0, 'f', 1);
    if (outcome->best >= 0)
        said += QStringLiteral(" (best: %1)").arg(outcome->best);
    if (!outcome->saveError.isEmpty())
        said += QStringLiteral("\nNot saved: ") + outcome->saveError;
    m_feedback->setText(said);
    ask();
}

void PracticeWindow::finish() {
    m_answer->clear();
    m_answer->setEnabled(false);
    m_submit->setEnabled(false);
    m_play->setEnabled(false);
    m_minute->hide();
    m_minuteLabel->hide();
    m_neck->hide();
    m_program.guitar().sendFrame(m_program.fretboard().ledFrame());
    m_start->setFocus();
    if (!m_session)
        return;
    const SessionSummary s = m_session->summary();
    if (s.asked == 0) {
        m_prompt->setText(QStringLiteral("This quiz has nothing to ask on this neck."));
        m_session.reset();
        return;
    }
    m_prompt->setText(QStringLiteral("Session over: %1 of %2 right").arg(s.right).arg(s.asked));
    QStringList weakest;
    for (const QString& item : s.weakest)
        weakest << describeItem(item);
    QString said = m_feedback->text();
    if (!said.isEmpty())
        said += u'\n';
    said += QStringLiteral("Accuracy %1%, %2 s an answer on average.")
                .arg(qRound(s.accuracy * 100))
                .arg(s.meanSeconds, 0, 'f', 1);
    said += weakest.isEmpty() ? QStringLiteral("\nNothing to work on: every answer was right.")
                              : QStringLiteral("\nWork on: ") + weakest.join(QLatin1String("; "));
    m_feedback->setText(said);
    m_session.reset();
}

} // namespace chordalis
