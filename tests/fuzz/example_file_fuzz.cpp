// Any bytes as an example file (.emd): decoded into a MIDI file of the same size, or refused when
// shorter than a header (what the MIDI file reader makes of any bytes is midi_file's). The
// input's first line, cut at "|", also serves as an item's "examples" value and stem: the list
// counts as the value says (up to 99 sequences), and a plain stem gives plain file names only.
#include "FuzzSupport.h"
#include "modes/Info.h"
#include "theory/Spelling.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

void checkExampleList(const QByteArray& line) {
    const qsizetype bar = line.indexOf('|');
    const QString examples = QString::fromUtf8(line.left(bar < 0 ? line.size() : bar));
    const QString stem = bar < 0 ? QStringLiteral("stem") : QString::fromUtf8(line.mid(bar + 1));
    const auto entries = exampleEntries(stem, examples);
    const int grooves = examples.endsWith(u'*') ? 6 : 0;
    require(int(entries.size()) == 2 * std::clamp(leadingNumber(examples), 0, 99) + grooves);
    for (const ExampleEntry& e : entries) {
        require(e.file.endsWith(QLatin1String(".emd")) && !e.caption.isEmpty());
        require(!isPlainFileName(stem) || isPlainFileName(e.file));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray emd(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype end = emd.indexOf('\n');
    checkExampleList(emd.left(std::min<qsizetype>(end < 0 ? emd.size() : end, 300)));

    const auto midi = decodeExample(emd);
    require(midi.has_value() == (size >= 14));
    if (!midi)
        return 0;
    require(midi->size() == emd.size());
    return 0;
}
