// Any text a player types, against the shipped library: as a search, as a progression in a key
// the first byte chooses (and its ChordPro and MusicXML exports), as an answer to every kind of
// practice question and as a practice item. Nothing reads outside its tables; refusals say why.
#include "../ShippedLibrary.h"
#include "FuzzSupport.h"
#include "practice/Questions.h"
#include "progressions/ChordPro.h"
#include "progressions/MusicXml.h"
#include "progressions/Progression.h"
#include "theory/RootTabs.h"

#include <QXmlStreamReader>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

struct Library : test::ShippedLibrary {
    std::vector<EarProgression> progressions;
    std::vector<Question> questions; // the first item of every quiz
    Library() {
        require(chords.count > 0 && scales.count > 0);
        progressions = earProgressions(loadProgressions(ini, warnings), index, chords);
        require(!progressions.empty());
        PracticeRandom random(1);
        for (const QString& word : quizWords()) {
            const QStringList items =
                quizItems(*quizOfWord(word), {}, changeChords(chords), progressions);
            require(!items.isEmpty());
            questions.push_back(*askItem(items.front(), {}, random, progressions));
        }
    }
};

void checkPlace(const Library& lib, const Found& f) {
    require(f.rootTab >= 0 && f.rootTab <= int(RootTabs.size()));
    require(f.bass >= -1 && f.bass < 12);
    require(!f.text.isEmpty() && !f.name.isEmpty());
    switch (f.mode) {
    case FoundMode::Chord:
    case FoundMode::Arpeggio:
        require(f.item >= 0 && f.item < lib.chords.count);
        break;
    case FoundMode::Scale:
        require(f.item >= 0 && f.item < lib.scales.count);
        break;
    case FoundMode::Triad:
        require(f.item >= 0 && f.item < TriadCount);
        break;
    case FoundMode::Note:
        require(f.item == -1 && f.rootTab > 0);
        break;
    }
}

void search(const Library& lib, const QString& text) {
    const auto found = lib.index.find(text, 3);
    require(found.size() <= 3);
    for (const Found& f : found)
        checkPlace(lib, f);
    if (!found.empty()) {
        const auto again = lib.index.find(found.front().text);
        require(!again.empty() && again.front().samePlace(found.front()));
    } else {
        require(lib.index.suggest(text).size() <= 5);
    }
    const auto listed = lib.index.complete(text, 12);
    require(listed.size() <= 12);
    for (const Found& f : listed)
        checkPlace(lib, f);
}

void readInKey(const Library& lib, const uint8_t* data, size_t size) {
    const int tab = 1 + data[0] % int(RootTabs.size());
    const KeyMode mode = KeyMode((data[0] / RootTabs.size()) % KeyModeCount);
    const Key key = makeKey(tab, mode, lib.chords);
    const QString text = fuzz::inputText(data + 1, size - 1);
    const ProgressionReading r = readProgression(text, key, lib.index, lib.chords, 1 + size % 12);
    if (!r.progression) {
        require(!r.error.isEmpty());
        require(r.token.isEmpty() || r.error.contains(r.token));
        return;
    }
    const Progression& p = *r.progression;
    require(!p.chords.empty() && p.chords.size() <= size_t(MaxProgressionChords));
    int bar = 0;
    for (const ProgressionChord& c : p.chords) {
        require(c.item >= 0 && c.item < lib.chords.count);
        require(!c.notes.isEmpty() && !c.symbol.isEmpty());
        require(c.beats >= 1 && c.bar >= bar && c.bar < p.bars);
        bar = c.bar;
    }
    ProgressionChart chart;
    chart.title = text;
    chart.progression = p;
    chart.grips.resize(p.chords.size());
    int titles = 0;
    for (const QString& line : chordProText(chart).split(u'\n')) {
        titles += line.startsWith(QLatin1String("{title:"));
        require(!line.startsWith(u'{') || (line.endsWith(u'}') && line.count(u'}') == 1));
    }
    require(titles == 1);
    QXmlStreamReader xml(musicXml(chart, lib.chords));
    int measures = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        measures += xml.isStartElement() && xml.name() == QLatin1String("measure");
    }
    require(!xml.hasError() && measures == p.bars);
}

void answer(const Library& lib, const QString& text, size_t size) {
    for (const Question& q : lib.questions) {
        const Judgement j = judgeAnswer(q, text);
        require(j.known || (!j.correct && !j.reason.isEmpty()));
        require(j.count >= 0 && j.count <= 600);
    }
    PracticeRandom random(size);
    QuizNeck neck;
    neck.capo.fret = int(size % 13);
    if (const auto q = askItem(text, neck, random, lib.progressions)) {
        require(q->item == text);
        require(judgeAnswer(*q, q->expected).correct || q->answerKind == AnswerKind::Clean ||
                q->answerKind == AnswerKind::Count);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Library lib;
    const QString text = fuzz::inputText(data, size);
    search(lib, text);
    answer(lib, text, size);
    if (size > 0)
        readInKey(lib, data, size);
    return 0;
}
