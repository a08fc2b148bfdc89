#include "ui/PracticeWindow.h"

#include "app/PracticeNeck.h"
#include "app/Program.h"
#include "library/Warnings.h"
#include "practice/Progress.h"
#include "theory/Spelling.h"
#include "ui/HeatMapView.h"
#include "ui/NeckView.h"
#include "ui/ProgressChart.h"
#include "ui/Theme.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// The periods the progress window offers, in days up to today (0: every answer kept).
struct ProgressPeriod {
    const char* caption;
    int days;
};
constexpr ProgressPeriod ProgressPeriods[] = {
    {"the last week", 7}, {"the last four weeks", 28}, {"the last eight weeks", 56}, {"all", 0}};
constexpr int DefaultPeriod = 2; // eight weeks

// The keys of the answer buttons, in order, as Alt+key: the digits, then letters that no other
// control of the window takes (Start, Answer, Play Again, Minute, Progress, Quiz, Questions).
constexpr char ChoiceKeys[] = "1234567890bcdefghijklortuvwxyz";

// How long a question sounds after it starts, in seconds: an estimate on the long side, as the
// player queues it (a run steps about half a second a note at worst, a chord rings two seconds).
double soundingSeconds(const Question& q) {
    if (!q.chords.empty())
        return q.chords.size() * 1.6 + 1.0;
    if (q.together)
        return 2.0;
    return q.notes.size() * 0.5 + 1.5;
}

// How long each chord of a progression sounds, in seconds.
constexpr float ProgressionChordSeconds = 1.6f;

// How an answer is typed, shown under the question.
QString answerHint(AnswerKind kind) {
    switch (kind) {
    case AnswerKind::Places:
        return QStringLiteral("Click the places on the neck, or type them: s6f3 s4f5");
    case AnswerKind::NoteName:
        return QStringLiteral("Type the note (C, F#, Bb), click it below or play it");
    case AnswerKind::Interval:
        return QStringLiteral("Type the interval (m3, P5, 7), click it below or play it");
    case AnswerKind::Quality:
        return QStringLiteral("Type the quality (maj, m7, m7b5), click it below or play it");
    case AnswerKind::ScaleName:
        return QStringLiteral("Type the scale (major, dorian, blues) or click it below");
    case AnswerKind::Numerals:
        return QStringLiteral("Type the numerals (I V vi IV) or click them below");
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
      m_minuteLabel(new QLabel(this)), m_choices(new QWidget(this)),
      m_choiceGrid(new QGridLayout(m_choices)),
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
    m_choices->setObjectName(QStringLiteral("fraChoices"));
    m_choiceGrid->setContentsMargins(0, 0, 0, 0);
    m_choices->hide();
    m_playedTimer.setSingleShot(true);
    m_playedTimer.setInterval(PlayedSettleMs);
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
    layout->addWidget(m_choices);
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
    connect(&m_playedTimer, &QTimer::timeout, this, &PracticeWindow::takePlayed);
    program.setHeardHook([this](const std::vector<int>& notes) { heard(notes); });
    connect(&program.guitar(), &LedGuitar::switchPressed, this, [this](int which) {
        if (isActiveWindow())
            pedalSwitch(which);
    });
}

PracticeWindow::~PracticeWindow() {
    m_program.setHeardHook({});
}

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
        m_progressQuiz = new QComboBox(m_progress);
        m_progressQuiz->setObjectName(QStringLiteral("cboProgressQuiz"));
        m_progressQuiz->addItem(QStringLiteral("Every quiz"), QString());
        for (const QString& word : quizWords())
            m_progressQuiz->addItem(quizCaption(*quizOfWord(word)), word);
        m_progressPeriod = new QComboBox(m_progress);
        m_progressPeriod->setObjectName(QStringLiteral("cboProgressPeriod"));
        for (const ProgressPeriod& p : ProgressPeriods)
            m_progressPeriod->addItem(QString::fromLatin1(p.caption), p.days);
        m_progressPeriod->setCurrentIndex(DefaultPeriod);
        m_chart = new ProgressChart(m_progress);
        m_heatMap = new HeatMapView(m_program.state().neckSettings(), m_progress);
        m_progressNote = new QLabel(m_progress);
        m_progressNote->setObjectName(QStringLiteral("lblProgress"));
        m_progressNote->setWordWrap(true);
        m_heatNote = new QLabel(m_progress);
        m_heatNote->setObjectName(QStringLiteral("lblHeatMap"));
        m_heatNote->setWordWrap(true);
        auto* choose = new QFormLayout;
        choose->addRow(QStringLiteral("&Quiz:"), m_progressQuiz);
        choose->addRow(QStringLiteral("P&eriod:"), m_progressPeriod);
        auto* layout = new QVBoxLayout(m_progress);
        layout->addLayout(choose);
        layout->addWidget(m_progressNote);
        layout->addWidget(m_chart, 1);
        layout->addWidget(m_heatNote);
        layout->addWidget(m_heatMap, 1);
        m_progress->resize(680, 560);
        for (QComboBox* box : {m_progressQuiz, m_progressPeriod})
            connect(box, &QComboBox::currentIndexChanged, this, &PracticeWindow::showProgressFor);
    }
    showProgressFor();
    m_progress->show();
    m_progress->raise();
    return m_progress;
}

void PracticeWindow::showProgressFor() {
    const QString quiz = m_progressQuiz->currentData().toString();
    const int periodDays = m_progressPeriod->currentData().toInt();
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.nowMs());
    const QDate today = now.date();
    // A period of n days is today and the n - 1 before it, from local midnight.
    const qint64 since =
        periodDays > 0
            ? QDateTime(today.addDays(-(periodDays - 1)), QTime(0, 0)).toMSecsSinceEpoch()
            : 0;
    const std::vector<AnswerRecord> answers = answersOf(m_history->answers(), quiz, since);
    QDate first = today.addDays(-(std::max(periodDays, 7) - 1));
    for (const AnswerRecord& a : answers) // every answer: from the day of the first
        first = std::min(first, QDateTime::fromMSecsSinceEpoch(a.answeredMs).date());
    const std::vector<DayProgress> days = progressByDay(answers, first, today, now.offsetFromUtc());
    int asked = 0, right = 0;
    for (const DayProgress& d : days) {
        asked += d.asked;
        right += d.right;
    }
    const QString which =
        quiz.isEmpty() ? QStringLiteral("any quiz") : m_progressQuiz->currentText();
    const QString when = periodDays > 0 ? QStringLiteral("in ") + m_progressPeriod->currentText()
                                        : QStringLiteral("so far");
    m_progressNote->setText(
        asked == 0 ? QStringLiteral("No answers to %1 %2 yet: practise, and each day's accuracy "
                                    "and answer time are drawn here.")
                         .arg(which, when)
                   : QStringLiteral("%1 %2 to %3 %4, %5% right. Line: accuracy per day (left "
                                    "scale); bars: mean answer time (right scale).")
                         .arg(asked)
                         .arg(asked == 1 ? QStringLiteral("answer") : QStringLiteral("answers"))
                         .arg(which, when)
                         .arg(qRound(100.0 * right / asked)));
    m_chart->setDays(days);
    m_chart->setVisible(asked > 0);
    std::vector<PlaceScore> places = placeScores(answers);
    m_heatNote->setText(places.empty()
                            ? QStringLiteral("No note found or named on the neck %1: the heat map "
                                             "fills as you answer the neck quizzes.")
                                  .arg(when)
                            : QStringLiteral("Accuracy on the neck, in per cent of the answers "
                                             "about each place:"));
    m_heatMap->setVisible(!places.empty());
    m_heatMap->setScores(std::move(places));
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
    m_played.clear();
    m_playedTimer.stop();
    drawNeck();
    showChoices();
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
    // The neck's surround follows the window's palette, as the main window's does.
    NeckExtras extras = m_neck->extras();
    extras.darkWindow = isDark(palette());
    m_neck->setExtras(extras, m_neck->fretNumbers());
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

void PracticeWindow::showChoices() {
    // The button clicked may be the one asking for this: it goes once its click is over.
    while (QLayoutItem* item = m_choiceGrid->takeAt(0)) {
        item->widget()->hide();
        item->widget()->deleteLater();
        delete item;
    }
    const AppState& state = m_program.state();
    const std::vector<AnswerChoice> choices =
        m_question
            ? answerChoices(*m_question, state.currentRoot, state.rootSpelling, m_progressions)
            : std::vector<AnswerChoice>{};
    // Six buttons a row, three for numerals, which are long.
    const bool wide = std::any_of(choices.begin(), choices.end(),
                                  [](const AnswerChoice& c) { return c.caption.size() > 10; });
    const int columns = wide ? 3 : 6;
    const int keys = int(sizeof ChoiceKeys) - 1;
    for (int k = 0; k < int(choices.size()); ++k) {
        const AnswerChoice& choice = choices[std::size_t(k)];
        // A key while there are keys left; the buttons past them are clicked.
        const QString caption = k < keys ? QStringLiteral("&%1  %2")
                                               .arg(QLatin1Char(ChoiceKeys[k]))
                                               .arg(QString(choice.caption).replace(u'&', "&&"))
                                         : QString(choice.caption).replace(u'&', "&&");
        auto* button = new QPushButton(caption, m_choices);
        button->setObjectName(QStringLiteral("cmdChoice%1").arg(k));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        const QString answer = choice.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer->setText(answer);
            this->answer();
        });
        m_choiceGrid->addWidget(button, k / columns, k % columns);
        button->show(); // now, not at the layout's next round: its key answers at once
    }
    m_choices->setVisible(!choices.empty());
}

void PracticeWindow::heard(const std::vector<int>& notes) {
    // A closed window answers nothing: the player is playing for the main window then.
    if (!isVisible() || !m_question || !m_answer->isEnabled() || notes.empty() ||
        m_program.clock().now() < m_deafUntil)
        return;
    m_played = notes;
    m_playedTimer.start();
}

void PracticeWindow::takePlayed() {
    if (!m_question || m_played.empty())
        return;
    const std::vector<int> notes = std::exchange(m_played, {});
    QStringList names;
    for (int n : notes)
        names << nameWithOctave(noteName(pitchClassOfNote(n), FlatColumn), n);
    if (m_question->answerKind == AnswerKind::Places) {
        const AppState& state = m_program.state();
        const std::vector<NeckPlace> places =
            playedPlaces(*m_question, {state.instrument, state.capo}, notes);
        for (const NeckPlace& p : places)
            if (std::find(m_chosen.begin(), m_chosen.end(), p) == m_chosen.end())
                m_chosen.push_back(p);
        m_feedback->setText(places.empty() ? QStringLiteral("Heard %1: not within the places "
                                                            "asked about")
                                                 .arg(names.join(u' '))
                                           : QStringLiteral("Heard %1").arg(names.join(u' ')));
        m_answer->setText(placesAnswer(m_chosen));
        drawNeck();
        return;
    }
    if (const std::optional<QString> said = playedName(*m_question, notes)) {
        m_answer->setText(*said);
        answer();
        return;
    }
    m_feedback->setText(
        QStringLiteral("Heard %1: that answers nothing asked here").arg(names.join(u' ')));
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
        // The run's notes light from a fresh beat: a metronome that was running starts again.
        m_program.metronome().setRunning(false);
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
    m_deafUntil = m_program.clock().now() + soundingSeconds(*m_question);
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
        said = outcome->judgement.reason + QStringLiteral(". The answer: ") + expectedAsOffered();
    else if (outcome->grade == Grade::Wrong)
        said = QStringLiteral("Not quite: %1").arg(expectedAsOffered());
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

QString PracticeWindow::expectedAsOffered() const {
    // A note is said as the buttons spell it in the root tab's key (G#, not Ab, in E major).
    if (m_question->answerKind == AnswerKind::NoteName) {
        const AppState& state = m_program.state();
        const int expected = pitchClassOf(m_question->expected);
        for (const AnswerChoice& choice :
             answerChoices(*m_question, state.currentRoot, state.rootSpelling, m_progressions))
            if (pitchClassOf(choice.answer) == expected)
                return choice.answer;
    }
    return m_question->expected;
}

void PracticeWindow::finish() {
    m_answer->clear();
    m_answer->setEnabled(false);
    m_submit->setEnabled(false);
    m_play->setEnabled(false);
    m_minute->hide();
    m_minuteLabel->hide();
    m_choices->hide();
    m_playedTimer.stop();
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
