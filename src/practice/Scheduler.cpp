#include "practice/Scheduler.h"

#include <algorithm>
#include <limits>

namespace chordalis {

Grade gradeOf(const Judgement& judgement, double seconds, double slowSeconds) {
    if (!judgement.correct)
        return Grade::Wrong;
    return seconds > slowSeconds ? Grade::Slow : Grade::Right;
}

QString gradeWord(Grade grade) {
    switch (grade) {
    case Grade::Wrong:
        return QStringLiteral("wrong");
    case Grade::Slow:
        return QStringLiteral("slow");
    case Grade::Right:
        break;
    }
    return QStringLiteral("right");
}

ItemState schedule(ItemState state, Grade grade, qint64 nowMs) {
    const int box = std::clamp(state.box, 1, LeitnerBoxes);
    switch (grade) {
    case Grade::Wrong:
        state.box = 1;
        break;
    case Grade::Slow:
        state.box = box;
        break;
    case Grade::Right:
        state.box = state.box == 0 ? 2 : std::min(box + 1, LeitnerBoxes);
        break;
    }
    state.dueMs = nowMs + BoxWaitMs[std::size_t(state.box - 1)];
    ++state.asked;
    if (grade != Grade::Wrong)
        ++state.right;
    return state;
}

QString pickItem(const QStringList& items, const std::map<QString, ItemState>& states, qint64 nowMs,
                 PracticeRandom& random, const QString& last) {
    if (items.isEmpty())
        return {};
    const bool avoidLast = items.size() > 1;
    QString mostOverdue, soonest;
    qint64 overdueDue = std::numeric_limits<qint64>::max();
    qint64 soonestDue = std::numeric_limits<qint64>::max();
    QStringList fresh;
    for (const QString& item : items) {
        if (avoidLast && item == last)
            continue;
        const auto it = states.find(item);
        if (it == states.end() || it->second.asked == 0) {
            fresh << item;
            continue;
        }
        const qint64 due = it->second.dueMs;
        if (due <= nowMs && due < overdueDue) {
            overdueDue = due;
            mostOverdue = item;
        }
        if (due < soonestDue) {
            soonestDue = due;
            soonest = item;
        }
    }
    if (!mostOverdue.isEmpty())
        return mostOverdue;
    if (!fresh.isEmpty())
        return fresh[random.between(0, int(fresh.size()) - 1)];
    return soonest.isEmpty() ? items.front() : soonest;
}

} // namespace chordalis
