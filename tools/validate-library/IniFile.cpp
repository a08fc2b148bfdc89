#include "IniFile.h"

#include <fstream>
#include <iterator>

namespace chordalis {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Well-formed UTF-8: sequences of one to four bytes with the right continuation bytes.
bool isUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else if (c >= 0x80)
            return false;
        if (s.size() - i <= extra)
            return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parse(text);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    ini.m_exists = true;
    auto fileProblem = [&](std::string message) {
        ini.m_problems.push_back({{}, {}, std::move(message)});
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        fileProblem("starts with a byte order mark");
        text.remove_prefix(3);
    }
    if (text.find('\r') != std::string_view::npos)
        fileProblem("has CR characters; lines must end in LF only");
    if (!text.empty() && text.back() != '\n')
        fileProblem("the last line has no line end");
    if (!isUtf8(text))
        fileProblem("is not UTF-8");

    Section* current = nullptr;
    bool skipping = false; // inside a repeated section, whose keys the program never reads
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string_view line = trim(raw);
        const std::string where = "line " + std::to_string(lineNumber);
        if (line.size() != raw.size())
            fileProblem(where + " has blanks at its start or end");
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']') {
                fileProblem(where + " is a malformed section header");
                continue;
            }
            const std::string name(line.substr(1, line.size() - 2));
            if (ini.section(name)) {
                ini.m_problems.push_back({name, {}, "the section appears twice"});
                skipping = true;
                current = nullptr;
                continue;
            }
            skipping = false;
            ini.m_sections.push_back({name, {}});
            current = &ini.m_sections.back();
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            fileProblem(where + " is neither a section, a key nor a comment");
            continue;
        }
        if (skipping)
            continue;
        if (!current) {
            fileProblem(where + " holds a key outside any section");
            continue;
        }
        const std::string_view rawKey = line.substr(0, eq);
        const std::string_view rawValue = line.substr(eq + 1);
        const std::string key(trim(rawKey));
        std::string_view value = trim(rawValue);
        if (key.size() != rawKey.size() || value.size() != rawValue.size())
            ini.m_problems.push_back({current->name, key, "blanks around \"=\""});
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        bool repeated = false;
        for (const Key& k : current->keys)
            repeated = repeated || sameName(k.name, key);
        if (repeated) {
            ini.m_problems.push_back({current->name, key, "the key appears twice"});
            continue;
        }
        current->keys.push_back({key, std::string(value)});
    }
    return ini;
}

const IniFile::Section* IniFile::section(std::string_view name) const {
    for (const Section& s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = this->section(section);
    if (!s)
        return std::nullopt;
    for (const Key& k : s->keys)
        if (sameName(k.name, key))
            return k.value;
    return std::nullopt;
}

} // namespace chordalis
