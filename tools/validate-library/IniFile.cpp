#include "IniFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string lowerName(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

} // namespace

bool readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string* text,
                     std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok)
        *error = std::strerror(errno);
    else if (!S_ISREG(st.st_mode)) {
        *error = S_ISDIR(st.st_mode) ? "is a folder, not a file" : "is not a regular file";
        ok = false;
    } else if (std::uintmax_t(st.st_size) > maxBytes) {
        *error = "is larger than " + std::to_string(maxBytes >> 20) + " MB";
        ok = false;
    }
    text->clear();
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = std::strerror(errno);
            ok = false;
        } else if (n == 0) {
            break;
        } else if (text->size() + size_t(n) > maxBytes) {
            *error = "is larger than " + std::to_string(maxBytes >> 20) + " MB";
            ok = false;
        } else {
            text->append(buffer, size_t(n));
        }
    }
    ::close(fd);
    if (!ok)
        text->clear();
    return ok;
}

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
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return {};
    std::string text, error;
    if (!readRegularFile(path, MaxFileBytes, &text, &error)) {
        IniFile ini;
        ini.m_exists = true;
        ini.m_problems.push_back({{}, {}, "cannot be read: " + error});
        return ini;
    }
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
            ini.m_sectionIndex.emplace(lowerName(name), ini.m_sections.size());
            ini.m_sections.push_back({name, {}, {}});
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
        if (!current->keyIndex.emplace(lowerName(key), current->keys.size()).second) {
            ini.m_problems.push_back({current->name, key, "the key appears twice"});
            continue;
        }
        current->keys.push_back({key, std::string(value)});
    }
    return ini;
}

const IniFile::Section* IniFile::section(std::string_view name) const {
    const auto it = m_sectionIndex.find(lowerName(name));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = this->section(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keyIndex.find(lowerName(key));
    if (it == s->keyIndex.end())
        return std::nullopt;
    return s->keys[it->second].value;
}

} // namespace chordalis
