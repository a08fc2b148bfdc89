#pragma once

#include "practice/Questions.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace chordalis {

// The time of day for practice: due times are kept across days and runs, so this is wall time
// in milliseconds since 1970 (UTC), not the play routines' monotonic clock.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual qint64 nowMs() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    qint64 nowMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

// Time that moves only when told: for tests and scripted sessions.
class FakeWallClock final : public WallClock {
public:
    explicit FakeWallClock(qint64 startMs = 1'800'000'000'000) : m_now(startMs) {}
    qint64 nowMs() const override { return m_now; }
    void advance(double seconds) { m_now += qint64(seconds * 1000.0); }

private:
    qint64 m_now;
};

// Leitner boxes 1..6 and how long an item waits in each before it is due again, in ms: a missed
// item comes back within the session (half a minute), then ten minutes, a day, three days, a
// week, three weeks.
inline constexpr int LeitnerBoxes = 6;
inline constexpr std::array<qint64, LeitnerBoxes> BoxWaitMs = {
    30'000, 600'000, 86'400'000, 3 * 86'400'000LL, 7 * 86'400'000LL, 21 * 86'400'000LL};

// Where an item stands: its box (0 never asked), when it is due, how often it was asked and
// answered right.
struct ItemState {
    int box = 0;
    qint64 dueMs = 0;
    int asked = 0;
    int right = 0;
    friend bool operator==(const ItemState&, const ItemState&) = default;
};

// A right answer moves the item up a box; a right but slow one keeps it in its box; a wrong one
// sends it back to box 1.
enum class Grade { Wrong, Slow, Right };

// The grade of a judged answer given in `seconds`.
Grade gradeOf(const Judgement& judgement, double seconds, double slowSeconds);
QString gradeWord(Grade grade);

// The item's state after an answer of that grade given at nowMs.
ItemState schedule(ItemState state, Grade grade, qint64 nowMs);

// The item to ask next: of the items due (asked before, due by now) the one due longest; else
// one never asked, drawn at random; else the one due soonest. `last` is not asked twice in a row
// while another item is there. Empty only for no items.
QString pickItem(const QStringList& items, const std::map<QString, ItemState>& states, qint64 nowMs,
                 PracticeRandom& random, const QString& last = {});

} // namespace chordalis
