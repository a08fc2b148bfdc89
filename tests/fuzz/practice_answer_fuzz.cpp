// Any line of an answers file given to every kind of question, and read as an item: a judgement
// is either readable or says why not, a count is read only within 0..600, and an item either
// gives a question whose answer it expects is judged right, or none.
#include "ShippedLibrary.h"
#include "library/IniReader.h"
#include "practice/Questions.h"

#include <QDir>
#include <QFileInfo>
#include <cstddef>
#include <cstdint>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

struct Quizzes {
    chordalis::fuzz::ShippedLibrary lib;
    std::vector<EarProgression> progressions;
    std::vector<Question> questions; // the first item of every quiz
    Quizzes() {
        IniReader ini(QFileInfo(QStringLiteral(__FILE__))
                          .absoluteDir()
                          .filePath(QStringLiteral("../../data")));
        Warnings warnings(true);
        progressions = earProgressions(loadProgressions(ini, warnings), lib.index, lib.chords);
        require(!progressions.empty());
        PracticeRandom random(1);
        for (const QString& word : quizWords()) {
            const QStringList items =
                quizItems(*quizOfWord(word), {}, changeChords(lib.chords), progressions);
            require(!items.isEmpty());
            questions.push_back(*askItem(items.front(), {}, random, progressions));
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Quizzes quizzes;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const Question& q : quizzes.questions) {
        const Judgement j = judgeAnswer(q, text);
        require(j.known || (!j.correct && !j.reason.isEmpty()));
        require(j.count >= 0 && j.count <= 600);
    }
    PracticeRandom random(size);
    QuizNeck neck;
    neck.capo.fret = int(size % 13);
    if (const auto q = askItem(text, neck, random, quizzes.progressions)) {
        require(q->item == text);
        require(judgeAnswer(*q, q->expected).correct || q->answerKind == AnswerKind::Clean ||
                q->answerKind == AnswerKind::Count);
    }
    return 0;
}
