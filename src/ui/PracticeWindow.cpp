#include "ui/PracticeWindow.h"

#include "app/Program.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace chordalis {

namespace {

// How an answer is typed, shown under the question.
QString answerHint(AnswerKind kind) {
    switch (kind) {
    case AnswerKind::Places:
        return QStringLiteral("Type the places as string and fret: s6f3 s4f5");
    case AnswerKind::NoteName:
        return QStringLiteral("Type the note: C, F#, Bb");
    case AnswerKind::Interval:
        return QStringLiteral("Type the interval: m2 M2 m3 M3 P4 TT P5 m6 M6 m7 M7 P8");
    case AnswerKind::Quality:
        return QStringLiteral("Type the quality: maj m dim aug 7 maj7 m7 m7b5 dim7");
    case AnswerKind::Count:
        break;
    }
    return QStringLiteral("Type how many clean changes you made");
}

} // namespace

PracticeWindow::PracticeWindow(Program& program, QString historyPath, QWidget* parent)
    : QDialog(parent), m_program(program), m_historyPath(std::move(historyPath)),
      m_quiz(new QComboBox(this)), m_length(new QSpinBox(this)),
      m_start(new QPushButton(QStringLiteral("&Start"), this)), m_prompt(new QLabel(this)),
      m_answer(new QLineEdit(this)), m_play(new QPushButton(QStringLiteral("Play &Again"), this)),
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
    m_answer->setObjectName(QStringLiteral("txtAnswer"));
    m_answer->setEnabled(false);
    m_play->setObjectName(QStringLiteral("cmdPlayAgain"));
    m_play->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_play->setEnabled(false);
    m_feedback->setObjectName(QStringLiteral("lblFeedback"));
    m_feedback->setWordWrap(true);
    m_note->setObjectName(QStringLiteral("lblHistory"));
    m_note->setWordWrap(true);

    auto* choose = new QFormLayout;
    choose->addRow(QStringLiteral("&Quiz:"), m_quiz);
    choose->addRow(QStringLiteral("&Questions:"), m_length);
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(m_answer, 1);
    answerRow->addWidget(m_play);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choose);
    layout->addWidget(m_start);
    layout->addWidget(m_prompt);
    layout->addLayout(answerRow);
    layout->addWidget(m_feedback);
    layout->addWidget(m_note);
    layout->addStretch();
    resize(520, 320);

    // Enter belongs to the answer: no button of the window takes it.
    for (QPushButton* b : {m_start, m_play})
        b->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &PracticeWindow::start);
    connect(m_answer, &QLineEdit::returnPressed, this, &PracticeWindow::answer);
    connect(m_play, &QPushButton::clicked, this, &PracticeWindow::play);
}

PracticeWindow::~PracticeWindow() = default;

void PracticeWindow::start() {
    if (!m_history) {
        OpenedHistory opened = openHistory(m_historyPath, m_clock);
        m_history = std::move(opened.history);
        m_note->setText(opened.message);
    }
    const auto kind = QuizKind(m_quiz->currentData().toInt());
    const AppState& state = m_program.state();
    const QuizNeck neck{state.instrument, state.capo};
    const quint64 seed = quint64(m_clock.nowMs());
    m_session = std::make_unique<PracticeSession>(kind, neck,
                                                  quizItems(kind, neck, changeChords(state.chords)),
                                                  *m_history, m_clock, seed, m_length->value());
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
    m_prompt->setText(QStringLiteral("%1. %2").arg(m_number).arg(m_question->prompt));
    m_answer->setPlaceholderText(answerHint(m_question->answerKind));
    m_answer->clear();
    m_answer->setEnabled(true);
    m_answer->setFocus();
    m_play->setEnabled(m_question->places.empty() && !m_question->notes.empty());
    if (m_play->isEnabled())
        play();
}

void PracticeWindow::play() {
    if (!m_question || m_question->notes.empty())
        return;
    Strum notes;
    for (int n : m_question->notes)
        notes.push_back({0, n});
    if (m_question->together)
        m_program.player().strum(notes);
    else
        m_program.player().playNotes(notes, PlayKind::Arpeggio);
}

void PracticeWindow::answer() {
    if (!m_session || !m_question)
        return;
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
    if (!outcome->saveError.isEmpty())
        said += QStringLiteral("\nNot saved: ") + outcome->saveError;
    m_feedback->setText(said);
    ask();
}

void PracticeWindow::finish() {
    m_answer->clear();
    m_answer->setEnabled(false);
    m_play->setEnabled(false);
    m_start->setFocus();
    if (!m_session)
        return;
    const SessionSummary s = m_session->summary();
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
