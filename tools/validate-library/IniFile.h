#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace chordalis {

// One library file, read as the program reads it: section and key names match without regard to
// case, a value is the text after the first "=" with surrounding blanks and one pair of enclosing
// quotation marks removed, and the first occurrence of a section or key counts.
//
// Reading also notes what a shipped file must not contain, because the program's reader would
// silently make something else of it: a byte order mark, CR characters, a missing final line
// end, text that is not UTF-8, blanks at the start or end of a line or around "=", a line that is
// neither a section, a key nor a comment, a key before the first section, and a section or key
// that occurs twice.
class IniFile {
public:
    struct Key {
        std::string name; // as written
        std::string value;
    };
    struct Section {
        std::string name; // as written
        std::vector<Key> keys;
        std::unordered_map<std::string, size_t> keyIndex; // lower-case name -> index in keys
    };
    struct Problem {
        std::string section; // empty for the whole file
        std::string key;     // empty for the whole section
        std::string message;
    };

    // A missing file gives an empty IniFile with exists() false. One that is there but cannot be
    // read (a folder, a FIFO, a device, larger than MaxFileBytes) exists with one problem saying
    // why.
    static IniFile load(const std::filesystem::path& path);
    static constexpr std::uintmax_t MaxFileBytes = 16u << 20;
    static IniFile parse(std::string_view text);

    bool exists() const { return m_exists; }
    const std::vector<Section>& sections() const { return m_sections; }
    const std::vector<Problem>& problems() const { return m_problems; }

    const Section* section(std::string_view name) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

private:
    bool m_exists = false;
    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_sectionIndex; // lower-case name -> index
    std::vector<Problem> m_problems;
};

// Whether two names are equal without regard to ASCII case.
bool sameName(std::string_view a, std::string_view b);

// Reads a whole regular file of at most maxBytes into *text. Anything else (missing, a folder, a
// FIFO, a device, too large, unreadable) returns false with the reason in *error. Never blocks on
// a FIFO: the file is opened without waiting and checked before it is read.
bool readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string* text,
                     std::string* error);

} // namespace chordalis
