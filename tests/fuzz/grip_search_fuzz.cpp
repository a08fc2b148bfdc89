// Any formula text, spelled on every root and column (names agree with their pitch class); then,
// from the 13th byte, a grip search on any neck, capo and root, whose grips obey the hand's rules.
#include "FuzzSupport.h"
#include "theory/Spelling.h"
#include "voicings/GripSearch.h"

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

void spell(const uint8_t* data, size_t size) {
    const int root = data[0] % 12;
    const int column = (data[0] >> 4) & 1;
    const QString formula = fuzz::inputText(data + 1, size - 1);
    for (const auto& note : spellFormula(formula, root, column))
        require(note.name.isEmpty() || (note.name[0] >= u'A' && note.name[0] <= u'G'));
    for (const QString& token : formula.split(u';'))
        (void)spellDegree(token, root, column);
    (void)pitchClassOf(formula);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 1)
        spell(data, size);
    if (size < 12)
        return 0;
    GripRequest r;
    const int strings = 4 + data[0] % 4;
    r.instrument.tuning = {CustomPreset, {}};
    for (int s = 0; s < strings; ++s)
        r.instrument.tuning.notes.push_back(LowestAnyOpenNote + data[1 + s] % 90);
    r.instrument.frets = MinFrets + data[8] % (MaxFrets - MinFrets + 1);
    r.instrument.scaleLength = 300 + 4 * data[9];
    if (data[9] & 1u)
        r.instrument.firstFrets[size_t(strings - 1)] = data[9] % 16;
    r.root = data[10] % 12;
    r.capo.fret = data[11] % 16;
    if (data[11] & 0x80) {
        r.capo.highString = 1 + data[11] % 3;
        r.capo.lowString = r.capo.highString + data[11] % 5;
    }
    const QString formula = fuzz::inputText(data + 12, size - 12);
    const auto makeup = chordMakeup(formula);
    if (!makeup)
        return 0;
    r.chord = *makeup;
    unsigned required = 0, tones = 0;
    for (const ChordTone& t : makeup->tones) {
        tones |= 1u << t.semitones;
        if (!t.isOptional())
            required |= 1u << t.semitones;
    }
    for (const Grip& g : searchGrips(r)) {
        require(g.strings() == strings && g.fingerCount <= MaxGripFingers);
        require(g.span <= MaxGripSpan);
        unsigned present = 0;
        int lowest = 1000, lowestTone = 0;
        for (int s = 1; s <= strings; ++s) {
            const int fret = g.fret(s);
            if (fret < 0)
                continue;
            require(fret >= openFret(r.instrument, r.capo, s) && fret <= r.instrument.frets);
            const int pitch = r.instrument.tuning.openNote(s) + fret;
            const int tone = ((pitch - r.root) % 12 + 12) % 12;
            require(tones >> tone & 1u);
            present |= 1u << tone;
            if (pitch < lowest) {
                lowest = pitch;
                lowestTone = tone;
            }
        }
        require((present & required) == required &&
                (lowestTone == 0 || isReentrant(r.instrument.tuning) || r.inversions));
    }
    return 0;
}
