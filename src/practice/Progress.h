#pragma once

#include "practice/History.h"
#include "theory/Neck.h"

#include <QDate>
#include <vector>

namespace chordalis {

// How a day of practice went.
struct DayProgress {
    QDate day;              // a local date
    int asked = 0;          // answers given that day
    int right = 0;          // right ones, slow ones included
    double meanSeconds = 0; // over that day's answers; 0 when none
    // right / asked, 0..1; 0 for a day without answers.
    double accuracy() const { return asked > 0 ? double(right) / asked : 0.0; }
};

// Every day from firstDay to lastDay (at most 366 of them), in order, with the answers given on
// it; a day is local time `utcOffsetSeconds` (-14 h..+14 h) ahead of UTC.
std::vector<DayProgress> progressByDay(const std::vector<AnswerRecord>& answers, QDate firstDay,
                                       QDate lastDay, int utcOffsetSeconds);

// The answers of one quiz (its word, "intervals"; empty: every quiz) given at or after sinceMs
// (milliseconds since 1970, UTC; 0: every answer), in their order.
std::vector<AnswerRecord> answersOf(const std::vector<AnswerRecord>& answers, const QString& quiz,
                                    qint64 sinceMs);

// How the answers about one place of the neck went.
struct PlaceScore {
    NeckPlace place;
    int asked = 0;
    int right = 0; // slow ones included
    double accuracy() const { return asked > 0 ? double(right) / asked : 0.0; }
};

// The places the neck quizzes asked about, by string and fret: a marked note to name counts for
// its place, a note to find for each place it has (as the answer expected them). Other quizzes
// count for none.
std::vector<PlaceScore> placeScores(const std::vector<AnswerRecord>& answers);

} // namespace chordalis
