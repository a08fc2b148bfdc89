// A random program folder for the validator: the input is cut at "\n@@\n" into the library files
// in a fixed order, and an example the validator reads for a scale named "s" with examples=1,
// written to a scratch folder and checked. Whatever they hold, the check ends; and each part read
// by the validator's INI parser keeps every section and key findable again by its name.
#include "FuzzSupport.h"
#include "IniFile.h"
#include "LibraryValidator.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using chordalis::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fs::path dir = chordalis::fuzz::scratchFolder().toStdString() + "/folder";
    static const char* const names[] = {"chord.ini", "scale.ini",  "voicing.ini",
                                        "triad.ini", "finder.ini", "midi/s_1.emd"};
    fs::remove_all(dir);
    fs::create_directories(dir / "system");
    fs::create_directories(dir / "midi");
    const auto parts = chordalis::fuzz::inputParts(data, size, std::size(names));
    for (size_t k = 0; k < parts.size(); ++k) {
        std::ofstream(dir / names[k], std::ios::binary) << parts[k];
        const auto ini = chordalis::IniFile::parse(parts[k]);
        for (const auto& s : ini.sections()) {
            require(ini.section(s.name) != nullptr);
            for (const auto& key : s.keys)
                require(ini.value(s.name, key.name).has_value());
        }
    }
    chordalis::LibraryValidator v(dir);
    v.run();
    return 0;
}
