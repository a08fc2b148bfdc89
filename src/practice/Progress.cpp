#include "practice/Progress.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <map>

namespace chordalis {

std::vector<DayProgress> progressByDay(const std::vector<AnswerRecord>& answers, QDate firstDay,
                                       QDate lastDay, int utcOffsetSeconds) {
    std::vector<DayProgress> days;
    if (!firstDay.isValid() || !lastDay.isValid() || lastDay < firstDay)
        return days;
    firstDay = std::max(firstDay, lastDay.addDays(-365));
    const int offset = std::clamp(utcOffsetSeconds, -14 * 3600, 14 * 3600);
    for (QDate d = firstDay; d <= lastDay; d = d.addDays(1))
        days.push_back({d});
    std::vector<double> seconds(days.size(), 0.0);
    for (const AnswerRecord& a : answers) {
        const QDate day =
            QDateTime::fromMSecsSinceEpoch(a.answeredMs + qint64(offset) * 1000, Qt::UTC).date();
        const qint64 k = firstDay.daysTo(day);
        if (k < 0 || k >= qint64(days.size()))
            continue;
        DayProgress& d = days[std::size_t(k)];
        ++d.asked;
        d.right += a.grade != Grade::Wrong;
        seconds[std::size_t(k)] += a.seconds;
    }
    for (std::size_t k = 0; k < days.size(); ++k)
        if (days[k].asked > 0)
            days[k].meanSeconds = seconds[k] / days[k].asked;
    return days;
}

std::vector<AnswerRecord> answersOf(const std::vector<AnswerRecord>& answers, const QString& quiz,
                                    qint64 sinceMs) {
    std::vector<AnswerRecord> kept;
    for (const AnswerRecord& a : answers)
        if ((quiz.isEmpty() || a.quiz == quiz) && a.answeredMs >= sinceMs)
            kept.push_back(a);
    return kept;
}

std::vector<PlaceScore> placeScores(const std::vector<AnswerRecord>& answers) {
    static const QRegularExpression place(QStringLiteral("^s(\\d{1,2})f(\\d{1,2})$"));
    std::map<std::pair<int, int>, PlaceScore> scores; // by string, fret
    auto count = [&](int string, int fret, bool right) {
        PlaceScore& s = scores[{string, fret}];
        s.place = {fret, string};
        ++s.asked;
        s.right += right;
    };
    for (const AnswerRecord& a : answers) {
        const bool right = a.grade != Grade::Wrong;
        const QStringList item = a.item.split(u':');
        if (a.quiz == QLatin1String("name-note") && item.size() == 3) {
            bool stringOk = false, fretOk = false;
            const int string = item[1].toInt(&stringOk);
            const int fret = item[2].toInt(&fretOk);
            if (stringOk && fretOk)
                count(string, fret, right);
        } else if (a.quiz.startsWith(QLatin1String("find-"))) {
            for (const QString& word : a.expected.split(u' ', Qt::SkipEmptyParts)) {
                const auto m = place.match(word);
                if (m.hasMatch())
                    count(m.captured(1).toInt(), m.captured(2).toInt(), right);
            }
        }
    }
    std::vector<PlaceScore> list;
    for (const auto& [at, score] : scores)
        list.push_back(score);
    return list;
}

} // namespace chordalis
