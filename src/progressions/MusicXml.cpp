#include "progressions/MusicXml.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <climits>
#include <tuple>

namespace chordalis {

namespace {

struct KindShape {
    const char* kind;
    const char* formula;
};

// The format's kinds that a chord symbol's tones can give, with their tones.
constexpr std::array<KindShape, 25> Kinds{{
    {"major", "1;3;5"},
    {"minor", "1;b3;5"},
    {"augmented", "1;3;#5"},
    {"diminished", "1;b3;b5"},
    {"dominant", "1;3;5;b7"},
    {"major-seventh", "1;3;5;7"},
    {"minor-seventh", "1;b3;5;b7"},
    {"diminished-seventh", "1;b3;b5;f7"},
    {"augmented-seventh", "1;3;#5;b7"},
    {"half-diminished", "1;b3;b5;b7"},
    {"major-minor", "1;b3;5;7"},
    {"major-sixth", "1;3;5;6"},
    {"minor-sixth", "1;b3;5;6"},
    {"dominant-ninth", "1;3;5;b7;9"},
    {"major-ninth", "1;3;5;7;9"},
    {"minor-ninth", "1;b3;5;b7;9"},
    {"dominant-11th", "1;3;5;b7;9;11"},
    {"major-11th", "1;3;5;7;9;11"},
    {"minor-11th", "1;b3;5;b7;9;11"},
    {"dominant-13th", "1;3;5;b7;9;11;13"},
    {"major-13th", "1;3;5;7;9;11;13"},
    {"minor-13th", "1;b3;5;b7;9;11;13"},
    {"suspended-second", "1;2;5"},
    {"suspended-fourth", "1;4;5"},
    {"power", "1;5"},
}};

// A degree by its place in the scale, 1..7: the 9th is the 2nd's place, the 13th the 6th's.
int place(int degree) {
    return (degree - 1) % 7 + 1;
}

std::vector<ChordTone> kindTones(const char* formula) {
    const auto makeup = chordMakeup(QString::fromLatin1(formula));
    return makeup ? makeup->tones : std::vector<ChordTone>{};
}

std::vector<HarmonyKind::Degree> degreesFrom(const std::vector<ChordTone>& kind,
                                             const std::vector<ChordTone>& chord) {
    using D = HarmonyKind::Degree;
    std::vector<D> out;
    std::vector<bool> matched(kind.size(), false);
    for (const ChordTone& t : chord) {
        // A second tone on a place the kind has already given (the #9 beside a b9) is added.
        const ChordTone* same = nullptr;
        for (size_t k = 0; k < kind.size() && !same; ++k) {
            if (!matched[k] && place(kind[k].degree) == place(t.degree)) {
                same = &kind[k];
                matched[k] = true;
            }
        }
        if (!same)
            out.push_back({t.degree, t.shift, D::Add});
        else if (same->shift != t.shift)
            out.push_back({t.degree, t.shift, D::Alter});
    }
    for (size_t k = 0; k < kind.size(); ++k) {
        // A 13th chord's 11th is left out by players and by the chord symbol alike.
        const bool thirteenth = kind.back().degree == 13 && kind[k].degree == 11;
        if (!matched[k] && !thirteenth)
            out.push_back({kind[k].degree, 0, D::Subtract});
    }
    return out;
}

int naturalPitch(int letter) {
    static constexpr std::array<int, 7> Pitch{0, 2, 4, 5, 7, 9, 11};
    return Pitch[size_t(letter % 7)];
}

QString step(const SpelledNote& n) {
    return QString(QChar(u"CDEFGAB"[n.letter % 7]));
}

// Semitones from the natural letter, -2..2 (Fx is 2, Cb -1).
int alterOf(const SpelledNote& n) {
    int shift = ((n.pitchClass - naturalPitch(n.letter)) % 12 + 12) % 12;
    return shift > 6 ? shift - 12 : shift;
}

// Per mode (KeyMode order): the word MusicXML's key takes, and the fifths from the mode's root
// to the major key whose scale it shares (Dorian on D has C major's signature: -2).
struct ModeSign {
    const char* word;
    int fifths;
};
constexpr std::array<ModeSign, KeyModeCount> ModeSigns{{{"major", 0},
                                                        {"minor", -3},
                                                        {"minor", -3},
                                                        {"minor", -3},
                                                        {"ionian", 0},
                                                        {"dorian", -2},
                                                        {"phrygian", -4},
                                                        {"lydian", 1},
                                                        {"mixolydian", -1},
                                                        {"aeolian", -3},
                                                        {"locrian", -5}}};

// The key signature's sharps (positive) or flats of a root in a mode.
int fifthsOf(const SpelledNote& root, KeyMode mode) {
    static constexpr std::array<int, 7> LetterFifths{0, 2, 4, -1, 1, 3, 5}; // C D E F G A B
    return LetterFifths[size_t(root.letter % 7)] + 7 * alterOf(root) +
           ModeSigns[size_t(mode)].fifths;
}

// Splits beats into the note values a rest can take: whole (4), dotted half (3), half, quarter.
std::vector<int> restValues(int beats) {
    std::vector<int> out;
    for (int v : {4, 3, 2, 1}) {
        while (beats >= v) {
            out.push_back(v);
            beats -= v;
        }
    }
    return out;
}

void writeRest(QXmlStreamWriter& xml, int beats) {
    xml.writeStartElement(QStringLiteral("note"));
    xml.writeEmptyElement(QStringLiteral("rest"));
    xml.writeTextElement(QStringLiteral("duration"), QString::number(beats));
    xml.writeTextElement(QStringLiteral("voice"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("type"), beats == 4   ? QStringLiteral("whole")
                                                 : beats == 1 ? QStringLiteral("quarter")
                                                              : QStringLiteral("half"));
    if (beats == 3)
        xml.writeEmptyElement(QStringLiteral("dot"));
    xml.writeEndElement();
}

void writeFrame(QXmlStreamWriter& xml, const ProgressionChart& chart, const Voicing& grip) {
    const auto shape = chart.shapeFrets(grip);
    const int base = diagramBaseFret(shape);
    int high = base;
    for (const auto& f : shape)
        high = f ? std::max(high, *f) : high;
    xml.writeStartElement(QStringLiteral("frame"));
    xml.writeTextElement(QStringLiteral("frame-strings"), QString::number(shape.size()));
    xml.writeTextElement(QStringLiteral("frame-frets"),
                         QString::number(std::max(4, high - base + 1)));
    if (base > 1)
        xml.writeTextElement(QStringLiteral("first-fret"), QString::number(base));
    for (int s = int(shape.size()); s >= 1; --s) {
        const auto& f = shape[size_t(s - 1)];
        if (!f)
            continue;
        xml.writeStartElement(QStringLiteral("frame-note"));
        xml.writeTextElement(QStringLiteral("string"), QString::number(s));
        // Counted from the frame's first fret as its top row, 0 open: how notation programs
        // place the dot (a diagram is a grid of its own, not the whole neck).
        xml.writeTextElement(QStringLiteral("fret"), QString::number(*f == 0 ? 0 : *f - base + 1));
        const QString finger = grip.finger(s);
        if (*f > 0 && finger.size() == 1 && finger[0] >= u'1' && finger[0] <= u'4')
            xml.writeTextElement(QStringLiteral("fingering"), finger);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeHarmony(QXmlStreamWriter& xml, const ProgressionChart& chart, size_t i,
                  const ChordLibrary& chords) {
    const ProgressionChord& c = chart.progression.chords[i];
    xml.writeStartElement(QStringLiteral("harmony"));
    xml.writeStartElement(QStringLiteral("root"));
    xml.writeTextElement(QStringLiteral("root-step"), step(c.root));
    if (alterOf(c.root) != 0)
        xml.writeTextElement(QStringLiteral("root-alter"), QString::number(alterOf(c.root)));
    xml.writeEndElement();

    const auto makeup = c.item >= 0 && size_t(c.item) < chords.entries.size()
                            ? chordMakeup(chords.entries[size_t(c.item)].formula)
                            : std::nullopt;
    const HarmonyKind kind =
        makeup ? harmonyKindOf(*makeup) : HarmonyKind{QStringLiteral("other"), {}};
    xml.writeStartElement(QStringLiteral("kind"));
    xml.writeAttribute(QStringLiteral("text"), oneLine(symbolSuffix(c)));
    xml.writeCharacters(kind.kind);
    xml.writeEndElement();
    if (c.bass) {
        xml.writeStartElement(QStringLiteral("bass"));
        xml.writeTextElement(QStringLiteral("bass-step"), step(*c.bass));
        if (alterOf(*c.bass) != 0)
            xml.writeTextElement(QStringLiteral("bass-alter"), QString::number(alterOf(*c.bass)));
        xml.writeEndElement();
    }
    for (const HarmonyKind::Degree& d : kind.degrees) {
        xml.writeStartElement(QStringLiteral("degree"));
        xml.writeTextElement(QStringLiteral("degree-value"), QString::number(d.value));
        xml.writeTextElement(QStringLiteral("degree-alter"), QString::number(d.alter));
        xml.writeTextElement(QStringLiteral("degree-type"),
                             d.type == HarmonyKind::Degree::Add     ? QStringLiteral("add")
                             : d.type == HarmonyKind::Degree::Alter ? QStringLiteral("alter")
                                                                    : QStringLiteral("subtract"));
        xml.writeEndElement();
    }
    if (i < chart.grips.size() && chart.grips[i])
        writeFrame(xml, chart, *chart.grips[i]);
    xml.writeEndElement();
}

} // namespace

HarmonyKind harmonyKindOf(const ChordMakeup& makeup) {
    HarmonyKind best;
    if (makeup.tones.empty())
        return best;
    // Fewest degrees; then fewest altered (7b9 is a dominant 7th with a b9 added, not a 9th
    // with its 9th altered); then the smaller kind (6/9 is a 6th with a 9th added).
    auto rank = [](const std::vector<HarmonyKind::Degree>& degrees, size_t size) {
        const auto altered = std::count_if(degrees.begin(), degrees.end(), [](const auto& d) {
            return d.type == HarmonyKind::Degree::Alter;
        });
        return std::tuple(degrees.size(), size_t(altered), size);
    };
    auto bestRank = std::tuple(SIZE_MAX, SIZE_MAX, SIZE_MAX);
    for (const KindShape& k : Kinds) {
        const auto tones = kindTones(k.formula);
        auto degrees = degreesFrom(tones, makeup.tones);
        if (const auto r = rank(degrees, tones.size()); r < bestRank) {
            bestRank = r;
            best = HarmonyKind{QLatin1String(k.kind), std::move(degrees)};
        }
    }
    return best;
}

QByteArray musicXml(const ProgressionChart& chart, const ChordLibrary& chords) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral(
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">"));
    xml.writeStartElement(QStringLiteral("score-partwise"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeStartElement(QStringLiteral("work"));
    xml.writeTextElement(QStringLiteral("work-title"), oneLine(chart.title));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("identification"));
    xml.writeStartElement(QStringLiteral("encoding"));
    xml.writeTextElement(QStringLiteral("software"), QStringLiteral("Chordalis"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("part-list"));
    xml.writeStartElement(QStringLiteral("score-part"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));
    xml.writeTextElement(QStringLiteral("part-name"), QStringLiteral("Guitar"));
    xml.writeStartElement(QStringLiteral("score-instrument"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1-I1"));
    xml.writeTextElement(QStringLiteral("instrument-name"), QStringLiteral("Guitar"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("midi-instrument"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1-I1"));
    xml.writeTextElement(QStringLiteral("midi-channel"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("midi-program"), QStringLiteral("26")); // steel guitar
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("part"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));

    const Progression& p = chart.progression;
    const int meter = p.beatsPerBar;
    size_t i = 0;
    const int bars = std::max({1, p.bars, p.chords.empty() ? 0 : p.chords.back().bar + 1});
    for (int bar = 0; bar < bars; ++bar) {
        xml.writeStartElement(QStringLiteral("measure"));
        xml.writeAttribute(QStringLiteral("number"), QString::number(bar + 1));
        if (bar == 0) {
            xml.writeStartElement(QStringLiteral("attributes"));
            xml.writeTextElement(QStringLiteral("divisions"), QStringLiteral("1"));
            xml.writeStartElement(QStringLiteral("key"));
            xml.writeTextElement(QStringLiteral("fifths"),
                                 QString::number(fifthsOf(chart.keyRoot, chart.keyMode)));
            xml.writeTextElement(QStringLiteral("mode"),
                                 QLatin1String(ModeSigns[size_t(chart.keyMode)].word));
            xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("time"));
            xml.writeTextElement(QStringLiteral("beats"), QString::number(meter));
            xml.writeTextElement(QStringLiteral("beat-type"), QStringLiteral("4"));
            xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("clef"));
            xml.writeTextElement(QStringLiteral("sign"), QStringLiteral("G"));
            xml.writeTextElement(QStringLiteral("line"), QStringLiteral("2"));
            xml.writeTextElement(QStringLiteral("clef-octave-change"), QStringLiteral("-1"));
            xml.writeEndElement();
            xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("direction"));
            xml.writeAttribute(QStringLiteral("placement"), QStringLiteral("above"));
            xml.writeStartElement(QStringLiteral("direction-type"));
            xml.writeStartElement(QStringLiteral("metronome"));
            xml.writeTextElement(QStringLiteral("beat-unit"), QStringLiteral("quarter"));
            xml.writeTextElement(QStringLiteral("per-minute"), QString::number(chart.tempo));
            xml.writeEndElement();
            xml.writeEndElement();
            xml.writeEmptyElement(QStringLiteral("sound"));
            xml.writeAttribute(QStringLiteral("tempo"), QString::number(chart.tempo));
            xml.writeEndElement();
        }
        int used = 0;
        for (; i < p.chords.size() && p.chords[i].bar == bar; ++i) {
            writeHarmony(xml, chart, i, chords);
            for (int v : restValues(p.chords[i].beats))
                writeRest(xml, v);
            used += p.chords[i].beats;
        }
        // A bar the chords do not fill (none do on reading) is filled with rests.
        for (int v : restValues(meter - used))
            writeRest(xml, v);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace chordalis
