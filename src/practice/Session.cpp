#include "practice/Session.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace chordalis {

PracticeSession::PracticeSession(QuizKind quiz, QuizNeck neck, QStringList items,
                                 PracticeHistory& history, const WallClock& clock,
                                 std::uint64_t seed, int length)
    : m_quiz(quiz), m_neck(std::move(neck)), m_items(std::move(items)), m_history(history),
      m_clock(clock), m_random(seed), m_length(std::max(0, length)),
      m_name(utcTime(clock.nowMs()) + QStringLiteral(" seed %1").arg(seed)),
      m_states(history.states()) {}

std::optional<Question> PracticeSession::next() {
    m_shown.reset();
    while (!over()) {
        const QString item = pickItem(m_items, m_states, m_clock.nowMs(), m_random, m_last);
        m_last = item;
        m_shown = askItem(item, m_neck, m_random, m_progressions);
        if (m_shown) {
            if (m_shown->quiz == QuizKind::Runs) {
                const std::map<QString, int> bests = m_history.bests();
                const auto best = bests.find(item);
                m_shown->tempo = runTempo(best != bests.end() ? best->second : -1);
            }
            ++m_asked;
            m_shownAt = m_clock.nowMs();
            return m_shown;
        }
        m_items.removeAll(item); // an item this neck cannot ask: never again this session
    }
    return std::nullopt;
}

std::optional<AnswerOutcome> PracticeSession::answer(const QString& given) {
    if (!m_shown)
        return std::nullopt;
    const Question q = *std::exchange(m_shown, std::nullopt);
    AnswerOutcome outcome;
    const qint64 now = m_clock.nowMs();
    outcome.seconds = double(std::max<qint64>(0, now - m_shownAt)) / 1000.0;
    outcome.judgement = judgeAnswer(q, given);
    outcome.grade = gradeOf(outcome.judgement, outcome.seconds, q.slowSeconds);

    AnswerRecord record{m_name,          quizWord(m_quiz), q.item,          q.prompt, q.expected,
                        given.trimmed(), outcome.grade,    outcome.seconds, now};
    if (q.answerKind == AnswerKind::Count && outcome.judgement.known)
        record.score = outcome.judgement.count;
    else if (q.quiz == QuizKind::Runs && outcome.judgement.correct)
        record.score = q.tempo; // a clean run: the next one goes a step faster
    if (const auto kept = m_history.record(record, outcome.saveError))
        outcome.state = *kept;
    else
        outcome.state = schedule(m_states[q.item], outcome.grade, now);
    m_states[q.item] = outcome.state;
    const std::map<QString, int> bests = m_history.bests();
    const auto best = bests.find(q.item);
    outcome.best = best != bests.end() ? best->second : -1;
    if (!outcome.saveError.isEmpty())
        outcome.best = std::max(outcome.best, record.score);

    Tally& t = m_tally[q.item];
    ++t.asked;
    t.seconds += outcome.seconds;
    t.wrong += outcome.grade == Grade::Wrong;
    t.slow += outcome.grade == Grade::Slow;
    return outcome;
}

SessionSummary PracticeSession::summary() const {
    SessionSummary s;
    double seconds = 0;
    std::vector<std::pair<QString, Tally>> weak;
    for (const auto& [item, t] : m_tally) {
        s.asked += t.asked;
        s.right += t.asked - t.wrong;
        seconds += t.seconds;
        if (t.wrong > 0 || t.slow > 0)
            weak.emplace_back(item, t);
    }
    if (s.asked > 0) {
        s.accuracy = double(s.right) / s.asked;
        s.meanSeconds = seconds / s.asked;
    }
    std::sort(weak.begin(), weak.end(), [](const auto& a, const auto& b) {
        const double wrongA = double(a.second.wrong) / a.second.asked;
        const double wrongB = double(b.second.wrong) / b.second.asked;
        if (wrongA != wrongB)
            return wrongA > wrongB;
        return a.second.seconds / a.second.asked > b.second.seconds / b.second.asked;
    });
    for (std::size_t k = 0; k < weak.size() && k < 3; ++k)
        s.weakest << weak[k].first;
    return s;
}

} // namespace chordalis
