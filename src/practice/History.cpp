#include "practice/History.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace chordalis {

std::optional<ItemState> MemoryHistory::record(const AnswerRecord& answer, QString&) {
    ItemState& state = m_states[answer.item];
    state = schedule(state, answer.grade, answer.answeredMs);
    m_answers.push_back(answer);
    if (answer.score >= 0)
        keepBests({{answer.item, answer.score}});
    return state;
}

void MemoryHistory::keepBests(const std::map<QString, int>& bests) {
    for (const auto& [item, best] : bests) {
        const auto at = m_bests.find(item);
        if (at == m_bests.end() || at->second < best)
            m_bests[item] = best;
    }
}

namespace {

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString utcTime(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString answersCsv(const std::vector<AnswerRecord>& answers) {
    QString csv =
        QStringLiteral("session,quiz,item,question,expected,given,grade,seconds,answered\r\n");
    for (const AnswerRecord& a : answers) {
        const QStringList fields = {a.session,
                                    a.quiz,
                                    a.item,
                                    a.prompt,
                                    a.expected,
                                    a.given,
                                    gradeWord(a.grade),
                                    QString::number(a.seconds, 'f', 3),
                                    utcTime(a.answeredMs)};
        QStringList quoted;
        for (const QString& f : fields)
            quoted << csvField(f);
        csv += quoted.join(u',') + QLatin1String("\r\n");
    }
    return csv;
}

QString defaultHistoryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QLatin1String("/practice.sqlite");
}

} // namespace chordalis
