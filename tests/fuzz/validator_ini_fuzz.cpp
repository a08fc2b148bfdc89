// Any bytes as a library file of the validator: parsing never crashes, and every section and key
// it keeps can be found again by its name.
#include "IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto ini =
        chordalis::IniFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& s : ini.sections()) {
        if (!ini.section(s.name))
            std::abort();
        for (const auto& k : s.keys)
            if (!ini.value(s.name, k.name))
                std::abort();
    }
    return 0;
}
