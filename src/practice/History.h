#pragma once

#include "practice/Scheduler.h"

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace chordalis {

// One answer as it is kept.
struct AnswerRecord {
    QString session; // the session's start, "yyyy-MM-ddThh:mm:ss.zzzZ", and its seed
    QString quiz;    // quizWord()
    QString item;
    QString prompt;
    QString expected;
    QString given;
    Grade grade = Grade::Wrong;
    double seconds = 0; // from the question shown to the answer
    qint64 answeredMs = 0;
    // A count of clean changes or a clean run's tempo in beats a minute: the item keeps the
    // highest as its best. -1: the answer scores nothing.
    int score = -1;
    friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

// Where the answers and the items' schedules are kept.
class PracticeHistory {
public:
    virtual ~PracticeHistory() = default;
    // Every item's state, by item.
    virtual std::map<QString, ItemState> states() = 0;
    // Keeps one answer and moves its item on by the answer's grade, at once: the new state is
    // worked out from the state kept (another window may have answered the item meanwhile).
    // Nothing, with the reason in error, when it could not be kept.
    virtual std::optional<ItemState> record(const AnswerRecord& answer, QString& error) = 0;
    // Every answer kept, oldest first.
    virtual std::vector<AnswerRecord> answers() = 0;
    // Each item's best score (AnswerRecord::score), by item; items never scored are absent.
    virtual std::map<QString, int> bests() = 0;
    // Whether what is recorded outlasts the program.
    virtual bool lasts() const = 0;
};

// History that lives as long as the object: a session that cannot save, and tests.
class MemoryHistory final : public PracticeHistory {
public:
    std::map<QString, ItemState> states() override { return m_states; }
    std::optional<ItemState> record(const AnswerRecord& answer, QString& error) override;
    std::vector<AnswerRecord> answers() override { return m_answers; }
    std::map<QString, int> bests() override { return m_bests; }
    bool lasts() const override { return false; }
    // Takes the bests another history kept (a read-only file's).
    void keepBests(const std::map<QString, int>& bests);

private:
    std::map<QString, ItemState> m_states;
    std::map<QString, int> m_bests;
    std::vector<AnswerRecord> m_answers;
};

// A time in ms since 1970 as ISO 8601 in UTC with milliseconds: "2026-12-07T21:45:01.250Z".
QString utcTime(qint64 ms);

// The answers as CSV (RFC 4180: a header line, fields with a comma, quote or line break quoted,
// CRLF line ends), times in UTC.
QString answersCsv(const std::vector<AnswerRecord>& answers);

// The history file in the user's data folder: $XDG_DATA_HOME/Chordalis/practice.sqlite.
QString defaultHistoryPath();

// A history opened for a session, and what the player must be told about it (empty when all is
// well): a file set aside, or that nothing will be saved.
struct OpenedHistory {
    std::unique_ptr<PracticeHistory> history;
    QString message;
};

// Opens the SQLite history at path, creating it and its folder. A file that is not a database,
// fails its integrity check or has another schema is renamed aside with the time
// ("practice.sqlite.damaged-20261207-214501") and a fresh one started; a file or folder that
// cannot be written gives a history in memory (seeded with what the file holds when it can be
// read) and a message that nothing is saved.
OpenedHistory openHistory(const QString& path, const WallClock& clock);

} // namespace chordalis
