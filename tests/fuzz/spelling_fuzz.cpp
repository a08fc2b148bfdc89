// Any formula text spelled on every root and column: names are letters with accidentals whose
// pitch class agrees with the spelled note, and nothing reads outside its tables.
#include "FuzzSupport.h"
#include "theory/Spelling.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int root = data[0] % 12;
    const int column = (data[0] >> 4) & 1;
    const QString formula = chordalis::fuzz::inputText(data + 1, size - 1);
    for (const auto& note : chordalis::spellFormula(formula, root, column))
        chordalis::fuzz::require(note.name.isEmpty() ||
                                 (note.name[0] >= u'A' && note.name[0] <= u'G'));
    for (const QString& token : formula.split(u';'))
        (void)chordalis::spellDegree(token, root, column);
    (void)chordalis::pitchClassOf(formula);
    return 0;
}
