#include "modes/ChordGrips.h"

#include "library/IniReader.h"
#include "library/Voicings.h"
#include "modes/AppState.h"
#include "theory/Neck.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace chordalis {

namespace {

// A tone as the remarks write it: "1", "b3", "#11".
QString toneName(const ChordMakeup& chord, int semitones) {
    const int i = chord.toneOf(semitones);
    if (i < 0)
        return QStringLiteral("?");
    const ChordTone& t = chord.tones[size_t(i)];
    static const char* const Accidentals[] = {"bb", "b", "", "#", "x"};
    return QLatin1String(Accidentals[t.shift + 2]) + QString::number(t.degree);
}

QString degreeName(int degree) {
    return ordinal(degree);
}

// What the caption says of a generated grip: where it lies, which string carries the root (or
// which tone is in the bass, except on a re-entrant neck, which has no bass) and what it leaves
// out.
QString captionOf(const Grip& g, const ChordMakeup& chord, const Capo& capo, bool reentrant) {
    const int from = capo.isPartial() ? 0 : capo.fret;
    const int reach = g.span == 0 ? 0 : g.lowFret + g.span - 1 - from;
    const bool opens =
        std::any_of(g.fingers.begin(), g.fingers.end(), [](int f) { return f == 0; });
    QString caption = opens && reach <= 4 ? QStringLiteral("Open Position")
                                          : ordinal(g.lowFret - from) + QLatin1String(" Position");
    if (g.bassTone == 0)
        caption += QLatin1String(", Root ") + ordinal(g.bassString);
    else if (!reentrant)
        caption +=
            QLatin1String(", ") + toneName(chord, g.bassTone) + QLatin1String(" in the bass");
    for (int degree : g.omitted)
        caption += QLatin1String(", no ") + degreeName(degree);
    return caption;
}

// The grip's notes from the bass up, as the remarks of the library list them.
QString remarkOf(const Grip& g, const ChordMakeup& chord, const Tuning& tuning, int root) {
    std::vector<std::pair<int, int>> sounding; // pitch, tone
    for (int s = g.strings(); s >= 1; --s) {
        if (g.sounds(s)) {
            const int pitch = tuning.openNote(s) + g.fret(s);
            sounding.push_back({pitch, pitchClassOfNote(pitch - root)});
        }
    }
    std::stable_sort(sounding.begin(), sounding.end());
    QStringList tones;
    for (const auto& [pitch, tone] : sounding)
        tones << toneName(chord, tone);
    QString remark = QStringLiteral("%1-string voicing from the voicing engine: %2.")
                         .arg(sounding.size())
                         .arg(tones.join(u' '));
    for (int degree : g.omitted)
        remark += QStringLiteral(" No %1.").arg(degreeName(degree));
    return remark;
}

// A grip's frets as tablature reads them, lowest string first: "x-3-5-4-5-x".
QString fretsText(const Voicing& v) {
    QStringList frets;
    for (int s = v.strings(); s >= 1; --s) {
        const auto fret = v.fret(s);
        frets << (fret ? QString::number(*fret) : QStringLiteral("x"));
    }
    return frets.join(u'-');
}

// Captions that tell each voicing of the chord apart: a caption that several of the library's
// grips would carry, or several of the engine's, gains each one's frets, "3rd Position, Root 5th
// (x-3-5-4-5-x)", and so does an engine's caption that a library grip above it carries; grips on
// the same frets (fingered apart) then gain their place in the list.
void separateCaptions(std::vector<Voicing>& voicings) {
    QHash<QString, int> library, engine;
    for (const Voicing& v : voicings)
        ++(v.generated ? engine : library)[v.caption];
    for (Voicing& v : voicings) {
        const bool shared = v.generated ? engine.value(v.caption) > 1 || library.contains(v.caption)
                                        : library.value(v.caption) > 1;
        if (shared)
            v.caption += QStringLiteral(" (%1)").arg(fretsText(v));
    }
    QSet<QString> seen;
    for (std::size_t k = 0; k < voicings.size(); ++k) {
        Voicing& v = voicings[k];
        if (seen.contains(v.caption))
            v.caption += QStringLiteral(", no. %1").arg(k + 1);
        seen.insert(v.caption);
    }
}

// The root whose grips on a standard neck without capo the hand plays above a capo across this
// neck, when the neck is standard tuning moved as a whole.
std::optional<int> shapeRootOf(const AppState& s) {
    const auto shift = standardShift(s.tuning());
    if (!shift || s.capo.isPartial())
        return std::nullopt;
    return pitchClassOfNote(s.currentRoot - *shift - s.capo.fret);
}

// What a grip above a capo looks like to the hand, as capo charts name it: "(Cmaj shape)" for D
// major above a capo at the 2nd fret.
QString shapeCaption(const AppState& s, int shapeRoot) {
    return QStringLiteral(" (%1 shape)")
        .arg(noteName(shapeRoot, FlatColumn) + s.chords.entries[size_t(s.selectedChord)].name);
}

// The engine's first `most` grips, captioned and remarked, their captions not yet told apart.
std::vector<Voicing> engineVoicings(const AppState& s, int most) {
    std::vector<Voicing> out;
    if (s.selectedChord < 0 || s.selectedChord >= s.chords.count)
        return out;
    const auto chord = chordMakeup(s.chords.entries[size_t(s.selectedChord)].formula);
    if (!chord)
        return out;
    GripRequest request;
    request.chord = *chord;
    request.root = s.currentRoot;
    request.instrument = s.instrument;
    request.capo = s.capo;
    for (const Grip& g : searchGrips(request)) {
        if (int(out.size()) >= most)
            break;
        Voicing v = toVoicing(g, FirstGeneratedVoicing + int(out.size()));
        v.caption = captionOf(g, *chord, s.capo, isReentrant(s.tuning()));
        if (const auto shapeRoot = shapeRootOf(s); shapeRoot && s.capo.fret > 0)
            v.caption += shapeCaption(s, *shapeRoot);
        v.memo = remarkOf(g, *chord, s.tuning(), s.currentRoot);
        out.push_back(std::move(v));
    }
    return out;
}

} // namespace

Voicing toVoicing(const Grip& g, int number) {
    Voicing v(g.strings());
    v.number = number;
    v.generated = true;
    for (int s = 1; s <= g.strings(); ++s) {
        const int fret = g.fret(s);
        const int finger = g.fingers[size_t(s - 1)];
        v.setString(s, fret < 0 ? std::nullopt : std::optional<int>(fret),
                    finger < 0 ? QStringLiteral("x") : QString::number(finger));
    }
    const bool opens =
        std::any_of(g.fingers.begin(), g.fingers.end(), [](int f) { return f == 0; });
    v.icon = opens && g.lowFret <= 4 ? QStringLiteral("voicingO")
             : g.barre               ? QStringLiteral("voicingB")
                                     : QStringLiteral("voicing");
    return v;
}

std::vector<Voicing> generatedVoicings(const AppState& s, int most) {
    std::vector<Voicing> out = engineVoicings(s, most);
    separateCaptions(out);
    return out;
}

std::vector<Voicing> chordVoicings(ModeContext& c) {
    const AppState& s = c.state;
    std::vector<Voicing> out;
    if (s.selectedChord < 0 || s.selectedChord >= s.chords.count)
        return out;
    const Capo& capo = s.capo;
    const auto shapeRoot = shapeRootOf(s);
    const bool library = shapeRoot.has_value();
    if (library) {
        // The library's grips of the root that sounds this one on a standard neck without capo.
        out = readVoicings(c.ini, c.warnings, s.selectedChord, *shapeRoot, Tuning{});
        // Moved above the capo; a grip that reaches past the neck's last fret (a shape played an
        // octave up reaches fret 15) is left out rather than drawn in part.
        const QString shape = capo.fret > 0 ? shapeCaption(s, *shapeRoot) : QString();
        std::erase_if(out, [&](Voicing& v) {
            for (auto& fret : v.frets) {
                if (fret)
                    *fret += capo.fret;
                if (fret && *fret > s.maxFret())
                    return true;
            }
            v.caption += shape;
            return false;
        });
    }
    // The engine's grips the library's do not already hold, numbered on from the first.
    const int most = library ? MoreVoicingsListed : GeneratedVoicingsListed;
    int added = 0;
    for (Voicing& v : engineVoicings(s, most + int(out.size()))) {
        if (added >= most)
            break;
        if (std::any_of(out.begin(), out.end(),
                        [&](const Voicing& w) { return w.frets == v.frets; }))
            continue;
        v.number = FirstGeneratedVoicing + added++;
        out.push_back(std::move(v));
    }
    separateCaptions(out);
    return out;
}

} // namespace chordalis
