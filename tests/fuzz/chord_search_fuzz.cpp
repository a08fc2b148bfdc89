// Any text typed into the search field, looked up in the shipped library: nothing reads outside
// the library, every result lies on a page with an item the library has and a root tab, its text
// finds the same place again, completions are bounded and refusals offer at most five names.
#include "ShippedLibrary.h"
#include "theory/RootTabs.h"

#include <cstddef>
#include <cstdint>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

using Library = chordalis::fuzz::ShippedLibrary;

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Library lib;
    const QString text = fuzz::inputText(data, size);
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
    return 0;
}
