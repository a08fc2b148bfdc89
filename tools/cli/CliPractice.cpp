#include "CliPractice.h"

#include "CliCommands.h"
#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "practice/History.h"
#include "practice/Session.h"
#include "progressions/Progression.h"
#include "search/SearchIndex.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <limits>
#include <memory>
#include <unistd.h>

namespace chordalis::cli {

namespace {

// What the library in the program folder gives the quizzes: the chords the changes quiz pairs
// and the progressions the ear quiz plays.
struct QuizLibrary {
    QStringList changeChords;
    std::vector<EarProgression> progressions;
};

QuizLibrary quizLibrary(const QString& folder, QuizKind quiz) {
    IniReader ini(folder);
    Warnings warnings(/*quiet=*/true);
    LibraryLoader loader(ini, warnings);
    const ChordLibrary chords = loader.loadChords();
    QuizLibrary library{changeChords(chords), {}};
    if (quiz == QuizKind::Progressions) {
        const SearchIndex index(chords, loader.loadScales(), loader.loadTriads());
        library.progressions = earProgressions(loadProgressions(ini, warnings), index, chords);
    }
    return library;
}

QJsonArray placesJson(const std::vector<NeckPlace>& places) {
    QJsonArray array;
    for (const NeckPlace& p : places)
        array.append(QJsonObject{{"string", p.string}, {"fret", p.fret}});
    return array;
}

void printLine(QTextStream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Compact) << "\n";
    out.flush(); // a reader (or a test that stops the tool) sees each answer as it is kept
}

} // namespace

int practice(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto quiz = quizOfWord(args.operands.value(0));
    if (args.operands.size() != 1 || !quiz) {
        err << "chordalis-cli: practice needs one quiz: " << quizWords().join(QLatin1String(", "))
            << "\n";
        return ExitUsage;
    }
    if (!args.has("--db") || args.value("--db").isEmpty()) {
        err << "chordalis-cli: practice needs --db FILE, the history to keep the answers in\n";
        return ExitUsage;
    }
    QuizNeck neck;
    std::optional<int> seed = 1, length = 10;
    if (args.has("--seed"))
        seed = numberOption(args, "--seed", 0, std::numeric_limits<int>::max(), error);
    if (seed && args.has("--questions"))
        length = numberOption(args, "--questions", 0, 10000, error);
    if (!seed || !length || !readNeckOptions(args, neck.instrument, neck.capo, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }

    // The answers, read a line at a time as the questions come (standard input included).
    std::unique_ptr<QFile> answers;
    if (args.has("--answers")) {
        const QString name = args.value("--answers");
        answers = std::make_unique<QFile>(name);
        // Unbuffered, so that a line is taken as soon as it is typed or piped in.
        const bool opened =
            name == QLatin1String("-")
                ? answers->open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered)
                : QFileInfo(name).isFile() && answers->open(QIODevice::ReadOnly);
        if (!opened) {
            err << "chordalis-cli: cannot read the answers file " << name << "\n";
            return ExitUsage;
        }
    }

    const QuizLibrary library = quizLibrary(folder, *quiz);
    const QStringList items = quizItems(*quiz, neck, library.changeChords, library.progressions);
    if (items.isEmpty()) {
        err << "chordalis-cli: the " << quizWord(*quiz)
            << " quiz has nothing to ask on this neck with this library"
            << (*quiz == QuizKind::Progressions ? " (no progressions.ini it can play)" : "")
            << "\n";
        return ExitDataError;
    }
    SystemWallClock clock;
    // Without answers nothing is judged, so nothing is kept.
    OpenedHistory opened = answers ? openHistory(args.value("--db"), clock)
                                   : OpenedHistory{std::make_unique<MemoryHistory>(), QString()};
    if (!opened.message.isEmpty())
        err << "chordalis-cli: " << opened.message << "\n";
    PracticeSession session(*quiz, neck, items, *opened.history, clock, std::uint64_t(*seed),
                            *length);
    session.setProgressions(library.progressions);

    int number = 0;
    QString ended = QStringLiteral("length");
    while (const auto q = session.next()) {
        QJsonArray notes;
        for (int n : q->notes)
            notes.append(n);
        QJsonObject line{{"question", ++number},
                         {"item", q->item},
                         {"prompt", q->prompt},
                         {"expected", q->expected},
                         {"places", placesJson(q->places)},
                         {"notes", notes},
                         {"together", q->together}};
        if (!q->chords.empty()) {
            QJsonArray chords;
            for (const std::vector<int>& chord : q->chords) {
                QJsonArray tones;
                for (int n : chord)
                    tones.append(n);
                chords.append(tones);
            }
            line.insert("chords", chords);
        }
        if (q->tempo > 0)
            line.insert("tempo", q->tempo);
        if (!answers) {
            printLine(out, line);
            continue;
        }
        const QByteArray raw = answers->readLine(); // a line, or nothing at the end
        if (raw.isEmpty()) {
            ended = QStringLiteral("answers ran out");
            break;
        }
        const QString given = QString::fromUtf8(raw).trimmed();
        const auto outcome = session.answer(given);
        line.insert("given", given);
        line.insert("judgement", outcome->judgement.known ? gradeWord(outcome->grade)
                                                          : QStringLiteral("unreadable"));
        if (!outcome->judgement.reason.isEmpty())
            line.insert("reason", outcome->judgement.reason);
        line.insert("seconds", outcome->seconds);
        line.insert("box", outcome->state.box);
        line.insert("due", utcTime(outcome->state.dueMs));
        line.insert("saved", outcome->saveError.isEmpty() && opened.history->lasts());
        if (outcome->best >= 0)
            line.insert("best", outcome->best);
        if (!outcome->saveError.isEmpty()) {
            line.insert("saveError", outcome->saveError);
            err << "chordalis-cli: the answer was not kept: " << outcome->saveError << "\n";
        }
        printLine(out, line);
    }

    const SessionSummary s = session.summary();
    QJsonObject summary{{"asked", s.asked},
                        {"right", s.right},
                        {"accuracy", s.accuracy},
                        {"meanSeconds", s.meanSeconds},
                        {"weakest", QJsonArray::fromStringList(s.weakest)},
                        {"ended", ended},
                        {"saved", bool(answers) && opened.history->lasts()}};
    if (!opened.message.isEmpty())
        summary.insert("message", opened.message);
    if (args.has("--csv")) {
        QSaveFile csv(args.value("--csv"));
        if (!QFileInfo(args.value("--csv")).isDir() && csv.open(QIODevice::WriteOnly)) {
            csv.write(answersCsv(opened.history->answers()).toUtf8());
            if (!csv.commit())
                error = csv.errorString();
        } else {
            error = csv.errorString();
        }
        if (!error.isEmpty()) {
            err << "chordalis-cli: cannot write " << args.value("--csv") << ": " << error << "\n";
            printLine(out, QJsonObject{{"summary", summary}});
            return ExitDataError;
        }
    }
    printLine(out, QJsonObject{{"summary", summary}});
    return ExitOk;
}

} // namespace chordalis::cli
