#pragma once

#include "practice/History.h"
#include "practice/Questions.h"
#include "practice/Scheduler.h"

#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace chordalis {

// What a session tells at its end.
struct SessionSummary {
    int asked = 0;
    int right = 0;          // right answers, slow ones included
    double accuracy = 0;    // right / asked, 0..1 (0 when nothing was asked)
    double meanSeconds = 0; // over every answer
    // Up to three items answered wrong or slowly, the worst first (most often wrong, then
    // slowest).
    QStringList weakest;
};

// How one answer went.
struct AnswerOutcome {
    Judgement judgement;
    Grade grade = Grade::Wrong;
    double seconds = 0;
    ItemState state;   // the item's schedule after it
    QString saveError; // why it was not kept, or empty
    int best = -1;     // the item's best score with this answer's, or -1 (AnswerRecord::score)
};

// One sitting of a quiz: asks `length` questions, the items chosen by their schedules, and
// keeps each answer in the history as it is given. Time comes from the clock alone.
class PracticeSession {
public:
    PracticeSession(QuizKind quiz, QuizNeck neck, QStringList items, PracticeHistory& history,
                    const WallClock& clock, std::uint64_t seed, int length);

    // The progressions a "progression:<id>" item may name.
    void setProgressions(std::vector<EarProgression> progressions) {
        m_progressions = std::move(progressions);
    }
    // The next question (shown from now on), or nothing when the session is over.
    std::optional<Question> next();
    // Judges the answer to the question shown and records it. Nothing when no question is shown.
    std::optional<AnswerOutcome> answer(const QString& given);
    bool over() const { return m_asked >= m_length || m_items.isEmpty(); }
    SessionSummary summary() const;
    const QString& name() const { return m_name; }

private:
    struct Tally {
        int asked = 0;
        int wrong = 0;
        int slow = 0;
        double seconds = 0;
    };

    QuizKind m_quiz;
    QuizNeck m_neck;
    QStringList m_items;
    std::vector<EarProgression> m_progressions;
    PracticeHistory& m_history;
    const WallClock& m_clock;
    PracticeRandom m_random;
    int m_length;
    int m_asked = 0;
    QString m_name;
    std::map<QString, ItemState> m_states;
    std::optional<Question> m_shown;
    qint64 m_shownAt = 0;
    QString m_last;
    std::map<QString, Tally> m_tally;
};

} // namespace chordalis
