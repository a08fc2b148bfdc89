// Any bytes as a library file of the validator: parsing never crashes, and every section and key
// it keeps can be found again by its name.
#include "FuzzSupport.h"
#include "IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto ini =
        chordalis::IniFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& s : ini.sections()) {
        chordalis::fuzz::require(ini.section(s.name) != nullptr);
        for (const auto& k : s.keys)
            chordalis::fuzz::require(ini.value(s.name, k.name).has_value());
    }
    return 0;
}
