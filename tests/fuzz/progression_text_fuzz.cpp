// Any progression typed into the entry, read in a key chosen by the first byte: a reading gives
// chords within the limit, each a library chord with its notes spelled and at least one beat, in
// bars that only go up; a refusal says why and names the token it could not read. A reading,
// titled with the text itself, writes a ChordPro song whose directives each stay on one line and
// a MusicXML score that reads back as well-formed XML with a measure per bar.
#include "ShippedLibrary.h"
#include "progressions/ChordPro.h"
#include "progressions/MusicXml.h"
#include "progressions/Progression.h"
#include "theory/RootTabs.h"

#include <QXmlStreamReader>
#include <cstddef>
#include <cstdint>

using namespace chordalis;
using chordalis::fuzz::require;

using Library = chordalis::fuzz::ShippedLibrary;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Library lib;
    if (size == 0)
        return 0;
    const int tab = 1 + data[0] % int(RootTabs.size());
    const KeyMode mode = KeyMode((data[0] / RootTabs.size()) % KeyModeCount);
    const Key key = makeKey(tab, mode, lib.chords);
    const QString text = fuzz::inputText(data + 1, size - 1);
    const ProgressionReading r = readProgression(text, key, lib.index, lib.chords, 1 + size % 12);
    if (!r.progression) {
        require(!r.error.isEmpty());
        require(r.token.isEmpty() || r.error.contains(r.token));
        return 0;
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
    return 0;
}
