#include "LibraryValidator.h"

#include "IniFile.h"
#include "MusicTheory.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

namespace chordalis {

namespace {

constexpr int MaxFret = 15;
constexpr int MaxVoicingsPerRoot = 31;
constexpr int MinMovablePerChord = 6;
constexpr int MinMovableRichChord = 4;
constexpr size_t MinOnRootString = 2; // with the root on the 6th string, and on the 5th
constexpr int OpenPositionLimit = 5;

using Frets = std::array<std::optional<int>, 7>; // strings 1..6; nothing = silent
using Fingers = std::array<char, 7>;

const char* const ChordFile = "chord.ini";
const char* const ScaleFile = "scale.ini";
const char* const VoicingFile = "voicing.ini";
const char* const TriadFile = "triad.ini";
const char* const FinderFile = "finder.ini";

struct Chord {
    std::string name;
    std::string verbose;
    bool valid = false; // the formula parsed
    std::vector<FormulaToken> tokens;
    std::set<int> pcs;
    std::set<int> required;            // pitch classes every voicing sounds
    std::set<std::string> mayLeaveOut; // tokens a voicing may leave out
    std::vector<int> related;
};

struct Scale {
    std::string name;
    bool valid = false;
    std::set<int> pcs;
};

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

bool mentions(const std::string& text, std::string_view word) {
    return lowerCase(text).find(word) != std::string::npos;
}

// The regular expressions below recurse once per character they consume; texts longer than this
// are reported instead of searched, so a hostile value cannot exhaust the stack.
constexpr size_t MaxSearchedText = 2000;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return std::stoi(text);
}

std::string tokensText(const std::vector<FormulaToken>& tokens) {
    std::string out;
    for (const FormulaToken& t : tokens)
        out += (out.empty() ? "" : ";") + t.text;
    return out;
}

std::string setText(const std::set<int>& pcs) {
    std::string out;
    for (int pc : pcs)
        out += (out.empty() ? "" : ";") + std::to_string(pc);
    return out;
}

std::string stringList(const std::vector<int>& strings) {
    std::string out;
    for (size_t i = 0; i < strings.size(); ++i)
        out += (i == 0                    ? ""
                : i + 1 == strings.size() ? " and "
                                          : ", ") +
               std::to_string(strings[i]);
    return out;
}

// Two characters per string, string 6 first: "xx" silent, two digits, or (relative) "-" digit.
std::optional<Frets> parseFrets(const std::string& text, bool relative, std::string* error) {
    if (text.size() != 12) {
        *error = "\"" + text + "\" is not 12 characters, two per string";
        return std::nullopt;
    }
    Frets frets{};
    for (int s = 6; s >= 1; --s) {
        const std::string pair = text.substr(size_t(12 - 2 * s), 2);
        const bool digits = pair[1] >= '0' && pair[1] <= '9';
        if (sameName(pair, "xx"))
            frets[size_t(s)] = std::nullopt;
        else if (digits && pair[0] >= '0' && pair[0] <= '9')
            frets[size_t(s)] = std::stoi(pair);
        else if (digits && relative && pair[0] == '-')
            frets[size_t(s)] = -(pair[1] - '0');
        else {
            *error = "\"" + pair + "\" for the " + ordinalText(s) + " string is not a fret";
            return std::nullopt;
        }
    }
    return frets;
}

std::optional<Fingers> parseFingers(const std::string& text, std::string* error) {
    if (text.size() != 6) {
        *error = "\"" + text + "\" is not 6 characters, one per string";
        return std::nullopt;
    }
    Fingers fingers{};
    for (int s = 6; s >= 1; --s)
        fingers[size_t(s)] = text[size_t(6 - s)];
    return fingers;
}

int openPitchClass(int string) {
    return OpenString[size_t(string)] % 12;
}

// The program's move of a relative shape to a root: the root string's fret becomes 1..12, and
// a shape that would reach the nut or below moves up an octave.
Frets moveShape(const Frets& relative, int root, int rootString) {
    int shift = root - openPitchClass(rootString);
    if (shift <= 0)
        shift += 12;
    Frets placed = relative;
    int low = 999;
    for (auto& f : placed)
        if (f) {
            *f += shift;
            low = std::min(low, *f);
        }
    if (low <= 0)
        for (auto& f : placed)
            if (f)
                *f += 12;
    return placed;
}

int lowestString(const Frets& frets) {
    for (int s = 6; s >= 1; --s)
        if (frets[size_t(s)])
            return s;
    return 0;
}

// The notes a shape sounds, as intervals above the note of its root string at relative fret 0.
std::set<int> relativeIntervals(const Frets& relative, int rootString) {
    std::set<int> out;
    for (int s = 1; s <= 6; ++s)
        if (relative[size_t(s)])
            out.insert(
                ((OpenString[size_t(s)] + *relative[size_t(s)] - OpenString[size_t(rootString)]) %
                     12 +
                 12) %
                12);
    return out;
}

// An interval above the root as chord charts name it.
std::string intervalName(int semitones) {
    static const std::array<const char*, 12> names = {"1",  "b9", "9",  "b3", "3",  "4",
                                                      "b5", "5",  "#5", "6",  "b7", "7"};
    return names[size_t(semitones)];
}

// The remark that names the chord tones a voicing leaves out ("No 5th or 9th."), or nothing
// when every tone sounds.
std::string leftOutRemark(const Chord& chord, const std::set<int>& heard) {
    std::vector<std::string> words;
    for (const FormulaToken& t : chord.tokens)
        if (chord.mayLeaveOut.count(t.text) && !heard.count(t.pitchClass()))
            words.push_back(t.accidental == 0 ? ordinalText(t.degree) : t.text);
    if (words.empty())
        return {};
    std::string out = "No ";
    for (size_t i = 0; i < words.size(); ++i)
        out += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    return out + ".";
}

// What a placed shape sounds against its chord at a root; each fault as a message. The bass must
// lie bassInterval semitones above the root (a voicing: the root itself; an inversion the tone
// its caption names; a rootless grip, bassInterval -1, any tone).
std::vector<std::string> soundFaults(const Chord& chord, const Frets& frets, int root,
                                     int bassInterval = 0, const char* bassName = "the root") {
    std::vector<std::string> faults;
    std::set<int> heard;
    int bass = 999;
    for (int s = 6; s >= 1; --s) {
        if (!frets[size_t(s)])
            continue;
        const int pitch = OpenString[size_t(s)] + *frets[size_t(s)];
        bass = std::min(bass, pitch);
        const int interval = ((pitch - root) % 12 + 12) % 12;
        heard.insert(interval);
        if (!chord.pcs.count(interval))
            faults.push_back("the " + ordinalText(s) + " string sounds " + intervalName(interval) +
                             ", which is not in the chord (" + tokensText(chord.tokens) + ")");
    }
    if (bass == 999)
        return {"no string sounds"};
    // A #9 below the major 3rd is heard as a minor 3rd under it, not as a tension above.
    const auto tokenOf = [&](const char* text) {
        return std::find_if(chord.tokens.begin(), chord.tokens.end(),
                            [&](const FormulaToken& t) { return t.text == text; });
    };
    if (tokenOf("#9") != chord.tokens.end() && tokenOf("3") != chord.tokens.end()) {
        int lowestThird = 999;
        int lowestSharpNine = 999;
        for (int s = 6; s >= 1; --s)
            if (frets[size_t(s)]) {
                const int pitch = OpenString[size_t(s)] + *frets[size_t(s)];
                const int interval = ((pitch - root) % 12 + 12) % 12;
                if (interval == 4)
                    lowestThird = std::min(lowestThird, pitch);
                if (interval == 3)
                    lowestSharpNine = std::min(lowestSharpNine, pitch);
            }
        if (lowestSharpNine < lowestThird && lowestThird != 999)
            faults.push_back("the #9 lies below the 3rd and sounds as a minor 3rd");
    }
    std::string missing;
    for (const FormulaToken& t : chord.tokens)
        if (chord.required.count(t.pitchClass()) && !heard.count(t.pitchClass()))
            missing += (missing.empty() ? "" : ", ") + t.text;
    if (!missing.empty())
        faults.push_back("the chord tone(s) " + missing + " do not sound");
    if (bassInterval >= 0 && ((bass - root - bassInterval) % 12 + 12) % 12 != 0)
        faults.push_back("the lowest note is the " + intervalName(((bass - root) % 12 + 12) % 12) +
                         ", not " + bassName);
    return faults;
}

struct FingerLimits {
    bool openStrings = false; // open chords: fret 0 is an open string with finger "0"
};

// Finger rules (see LibraryValidator.h); each fault as a message.
std::vector<std::string> fingerFaults(const Frets& frets, const Fingers& fingers,
                                      const std::string& memo, FingerLimits limits) {
    std::vector<std::string> faults;
    std::map<int, int> fretted; // string -> fret
    for (int s = 6; s >= 1; --s) {
        const auto& f = frets[size_t(s)];
        const char g = fingers[size_t(s)];
        const std::string where = "the " + ordinalText(s) + " string";
        if (!f) {
            if (g != 'x')
                faults.push_back(where + " is silent but has the finger '" + std::string(1, g) +
                                 "'");
        } else if (limits.openStrings && *f == 0) {
            if (g != '0')
                faults.push_back(where + " is open and needs the finger '0'");
        } else if (g < '1' || g > '4') {
            faults.push_back(where + " is fretted and needs a finger 1 to 4, not '" +
                             std::string(1, g) + "'");
        } else {
            fretted[s] = *f;
        }
    }
    if (!faults.empty() || fretted.empty())
        return faults;

    std::map<char, std::vector<int>> byFinger;
    for (const auto& [s, f] : fretted)
        byFinger[fingers[size_t(s)]].push_back(s);
    for (auto& [g, strings] : byFinger) {
        std::set<int> onFrets;
        for (int s : strings)
            onFrets.insert(fretted[s]);
        if (onFrets.size() > 1) {
            faults.push_back("finger " + std::string(1, g) + " presses two frets (strings " +
                             stringList(strings) + ")");
            continue;
        }
        if (strings.size() < 2)
            continue;
        if (!mentions(memo, "barre"))
            faults.push_back("finger " + std::string(1, g) + " lies across strings " +
                             stringList(strings) + ", but the remark does not call it a barre");
        const int barreFret = *onFrets.begin();
        for (int s = strings.front() + 1; s < strings.back(); ++s) {
            const auto& f = frets[size_t(s)];
            if (!f)
                faults.push_back("the barre of finger " + std::string(1, g) +
                                 " crosses the silent " + ordinalText(s) + " string");
            else if (limits.openStrings && *f == 0)
                faults.push_back("the barre of finger " + std::string(1, g) + " crosses the open " +
                                 ordinalText(s) + " string");
            else if (*f < barreFret)
                faults.push_back("the barre of finger " + std::string(1, g) + " crosses the " +
                                 ordinalText(s) + " string, fretted lower");
            else if (*f > barreFret && g != '1')
                faults.push_back("finger " + std::string(1, g) + " lies flat across the " +
                                 ordinalText(s) +
                                 " string under a higher note; only the index "
                                 "finger barres under other fingers");
        }
    }
    // Two barres leave two fingers for the rest, as in the A-shape (ring over the index
    // finger's full barre) or the 6/9 grip x32233; two partial barres with the other two
    // fingers besides are not a grip players use.
    int barres = 0;
    bool fullIndexBarre = false;
    for (const auto& [g, strings] : byFinger)
        if (strings.size() > 1) {
            ++barres;
            fullIndexBarre =
                fullIndexBarre || (g == '1' && strings.front() == fretted.begin()->first &&
                                   strings.back() == fretted.rbegin()->first);
        }
    if (barres > 1 && byFinger.size() == 4 && !fullIndexBarre)
        faults.push_back("two partial barres and two more fingers: no hand holds that grip");
    bool inOrder = true;
    for (const auto& [a, fa] : fretted)
        for (const auto& [b, fb] : fretted)
            if (inOrder && fa > fb && fingers[size_t(a)] <= fingers[size_t(b)]) {
                faults.push_back("the " + ordinalText(a) + " string is fretted higher than the " +
                                 ordinalText(b) + " but not a higher finger");
                inOrder = false;
            }
    // Neighbouring fingers spread two frets at most: index and middle on frets 1 and 4 is a
    // reach no hand makes, though index and ring can span it.
    std::map<char, int> fretOfFinger;
    for (const auto& [s, f] : fretted)
        fretOfFinger[fingers[size_t(s)]] = f;
    for (const auto& [g, f] : fretOfFinger) {
        const auto next = fretOfFinger.find(char(g + 1));
        if (next != fretOfFinger.end() && next->second - f >= 3)
            faults.push_back("fingers " + std::string(1, g) + " and " +
                             std::string(1, next->first) + " lie " +
                             std::to_string(next->second - f) +
                             " frets apart; neighbouring fingers reach two at most");
    }
    int low = 999;
    int high = -999;
    for (const auto& [s, f] : fretted) {
        low = std::min(low, f);
        high = std::max(high, f);
    }
    const int span = high - low + 1;
    if (span > 5)
        faults.push_back("the fretted notes span " + std::to_string(span) +
                         " frets; one hand reaches five at most");
    else if (span == 5 && !mentions(memo, "stretch"))
        faults.push_back("the fretted notes span 5 frets, but the remark does not call it a "
                         "stretch");
    return faults;
}

// What a movable voicing's caption says it is. No caption: a grip with the root in the bass.
// "Rootless": the root string is silent and the root sounds nowhere. "1st Inversion" (2nd, 3rd;
// "Root Position"), optionally after "Drop 2, " or "Drop 3, ": the formula's second (third,
// fourth; first) tone in the bass.
struct CaptionKind {
    bool rootless = false;
    int bass = 0; // semitones above the root of the bass note; -1 for a rootless grip
    std::string bassName = "the root";
    int drop = 0; // 2 or 3 for a drop voicing
    std::string fault;
};

CaptionKind captionKind(const std::optional<std::string>& caption, const Chord& chord) {
    CaptionKind kind;
    if (!caption)
        return kind;
    std::string text = *caption;
    if (text == "Rootless") {
        kind.rootless = true;
        kind.bass = -1;
        kind.bassName = "any tone";
        return kind;
    }
    for (int drop : {2, 3}) {
        const std::string prefix = "Drop " + std::to_string(drop) + ", ";
        if (text.rfind(prefix, 0) == 0) {
            kind.drop = drop;
            text = text.substr(prefix.size());
        }
    }
    static const std::array<std::string, 4> inversions = {"Root Position", "1st Inversion",
                                                          "2nd Inversion", "3rd Inversion"};
    const auto it = std::find(inversions.begin(), inversions.end(), text);
    if (it == inversions.end()) {
        kind.fault = "the caption \"" + *caption +
                     "\" is none of Rootless, Root Position or the 1st to 3rd Inversion, "
                     "with or without \"Drop 2, \" or \"Drop 3, \" before it";
        return kind;
    }
    const size_t k = size_t(it - inversions.begin());
    if (kind.drop && chord.tokens.size() != 4)
        kind.fault = "a drop voicing needs a chord of four tones";
    else if (k >= chord.tokens.size())
        kind.fault = "the chord has no " + ordinalText(int(k) + 1) + " tone to put in the bass";
    else {
        kind.bass = chord.tokens[k].pitchClass();
        kind.bassName = "the " + chord.tokens[k].text + " the caption names";
    }
    return kind;
}

// Relative pitches of the played strings, lowest string first.
std::vector<int> shapePitches(const Frets& frets) {
    std::vector<int> pitches;
    for (int s = 6; s >= 1; --s)
        if (frets[size_t(s)])
            pitches.push_back(OpenString[size_t(s)] + *frets[size_t(s)]);
    return pitches;
}

// A drop 2 (3) voicing is a close voicing, four tones within an octave, with the 2nd (3rd) voice
// from the top dropped an octave into the bass: drop 2 on four neighbouring strings, drop 3 with
// the string above the bass silent.
std::vector<std::string> dropFaults(int drop, const Frets& frets) {
    if (drop == 0)
        return {};
    std::vector<int> strings;
    for (int s = 6; s >= 1; --s)
        if (frets[size_t(s)])
            strings.push_back(s);
    const std::string what = "Drop " + std::to_string(drop);
    if (strings.size() != 4)
        return {what + " lies on four strings, not " + std::to_string(strings.size())};
    const std::vector<int> gaps = {strings[0] - strings[1], strings[1] - strings[2],
                                   strings[2] - strings[3]};
    if (gaps != (drop == 2 ? std::vector<int>{1, 1, 1} : std::vector<int>{2, 1, 1}))
        return {what + " lies on " +
                (drop == 2 ? "four neighbouring strings"
                           : "four strings with the second-lowest silent")};
    std::vector<int> pitches = shapePitches(frets);
    const int raised = pitches[0] + 12;
    pitches[0] = raised;
    std::sort(pitches.begin(), pitches.end());
    if (pitches.back() - pitches.front() >= 12 ||
        std::adjacent_find(pitches.begin(), pitches.end()) != pitches.end() ||
        pitches[size_t(4 - drop)] != raised)
        return {"the bass an octave up does not give a close voicing with it " +
                std::string(drop == 2 ? "second" : "third") + " from the top: not a " + what};
    return {};
}

// A quartal grip is a stack of perfect 4ths from its bass up.
std::vector<std::string> quartalFaults(const Frets& frets) {
    const std::vector<int> pitches = shapePitches(frets);
    for (size_t k = 1; k < pitches.size(); ++k)
        if (pitches[k] - pitches[k - 1] != 5)
            return {"not a stack of 4ths: voices " + std::to_string(k) + " and " +
                    std::to_string(k + 1) + " from the bass lie " +
                    std::to_string(pitches[k] - pitches[k - 1]) + " semitones apart"};
    return {};
}

// Relative frets as voicing.ini writes them: two characters per string, string 6 first.
std::string fretsText(const Frets& frets) {
    std::string out;
    for (int s = 6; s >= 1; --s) {
        const auto& f = frets[size_t(s)];
        out += !f ? "xx" : *f < 0 ? std::to_string(*f) : (*f < 10 ? "0" : "") + std::to_string(*f);
    }
    return out;
}

std::string fingersText(const Fingers& fingers) {
    std::string out;
    for (int s = 6; s >= 1; --s)
        out += fingers[size_t(s)];
    return out;
}

// Fingers for the fretted strings under the finger rules, with a barre where no grip without
// one exists, and no stretch; the first assignment that passes, or nothing.
std::optional<Fingers> assignFingers(const Frets& frets) {
    std::vector<int> fretted;
    Fingers fingers{};
    for (int s = 6; s >= 1; --s) { // thicker strings take the lower fingers first
        fingers[size_t(s)] = 'x';
        if (frets[size_t(s)])
            fretted.push_back(s);
    }
    std::string remark;
    const auto tryFrom = [&](auto& self, size_t k) -> bool {
        if (k == fretted.size())
            return fingerFaults(frets, fingers, remark, {false}).empty();
        for (char g = '1'; g <= '4'; ++g) {
            fingers[size_t(fretted[k])] = g;
            if (self(self, k + 1))
                return true;
        }
        return false;
    };
    // A grip without a barre where there is one.
    for (const char* r : {"", "barre"}) {
        remark = r;
        if (tryFrom(tryFrom, 0))
            return fingers;
    }
    return std::nullopt;
}

// Movable shapes of the chord with its root on the root string that the voicing rules accept,
// found by trying every shape that fits a four-fret window around the root: the strings below
// the root string silent, the root string on relative fret 0, every string above it silent or
// fretted within the window. Silent strings and frets near the root are tried first, so the
// first shape found is a small one. At most `limit` shapes; none when the chord has no such
// shape on that string.
std::vector<std::pair<Frets, Fingers>> playableShapes(const Chord& chord, int rootString,
                                                      size_t limit) {
    const std::array<std::optional<int>, 8> choices = {std::nullopt, 0, 1, -1, 2, -2, 3, -3};
    constexpr int WindowSpan = 3; // highest minus lowest fret: four frets
    Frets frets{};
    frets[size_t(rootString)] = 0;
    std::vector<std::pair<Frets, Fingers>> found;
    const auto accepted = [&]() -> bool {
        const std::set<int> heard = relativeIntervals(frets, rootString);
        if ((chord.name == "quartal" && !quartalFaults(frets).empty()) ||
            !std::includes(chord.pcs.begin(), chord.pcs.end(), heard.begin(), heard.end()) ||
            !std::includes(heard.begin(), heard.end(), chord.required.begin(),
                           chord.required.end()))
            return false;
        for (int root = 0; root < 12; ++root) {
            const Frets placed = moveShape(frets, root, rootString);
            if (!soundFaults(chord, placed, root).empty())
                return false;
            for (const auto& f : placed)
                if (f && (*f < 1 || *f > MaxFret))
                    return false;
        }
        const auto fingers = assignFingers(frets);
        if (fingers)
            found.emplace_back(frets, *fingers);
        return found.size() >= limit;
    };
    const auto fill = [&](auto& self, int s, int low, int high) -> bool {
        if (s == 0)
            return accepted();
        for (const std::optional<int>& f : choices) {
            const int newLow = f ? std::min(low, *f) : low;
            const int newHigh = f ? std::max(high, *f) : high;
            if (newHigh - newLow > WindowSpan)
                continue;
            frets[size_t(s)] = f;
            if (self(self, s - 1, newLow, newHigh))
                return true;
        }
        frets[size_t(s)] = std::nullopt;
        return false;
    };
    fill(fill, rootString - 1, 0, 0);
    return found;
}

// Claims of a remark about fingers, silent strings and the root string.
std::vector<std::string> remarkFaults(const std::string& memo, const Frets& frets,
                                      const Fingers& fingers, int rootString) {
    static const std::regex fingerClaim(
        R"((index|middle|ring|little) finger (?:barre )?(?:across|on) strings ([1-6]) (?:to|and) ([1-6]))",
        std::regex::icase);
    static const std::regex mutedClaim(R"(strings? ([1-6])(?: and ([1-6]))? muted)",
                                       std::regex::icase);
    static const std::regex rootClaim(R"(root on the ([1-6])(?:st|nd|rd|th) string)",
                                      std::regex::icase);
    static const std::map<std::string, char> fingerOf = {
        {"index", '1'}, {"middle", '2'}, {"ring", '3'}, {"little", '4'}};
    std::vector<std::string> faults;
    if (memo.size() > MaxSearchedText)
        return {"the remark is longer than " + std::to_string(MaxSearchedText) + " characters"};
    for (auto it = std::sregex_iterator(memo.begin(), memo.end(), fingerClaim);
         it != std::sregex_iterator(); ++it) {
        const std::string word = lowerCase((*it)[1]);
        for (int k : {2, 3}) {
            const int s = std::stoi((*it)[size_t(k)]);
            if (fingers[size_t(s)] != fingerOf.at(word))
                faults.push_back("the remark puts the " + word + " finger on the " +
                                 ordinalText(s) + " string, the finger text does not");
        }
    }
    for (auto it = std::sregex_iterator(memo.begin(), memo.end(), mutedClaim);
         it != std::sregex_iterator(); ++it)
        for (int k : {1, 2})
            if ((*it)[size_t(k)].matched && frets[size_t(std::stoi((*it)[size_t(k)]))])
                faults.push_back("the remark calls the " +
                                 ordinalText(std::stoi((*it)[size_t(k)])) +
                                 " string muted, but it is played");
    std::smatch m;
    if (std::regex_search(memo, m, rootClaim) && std::stoi(m[1]) != rootString)
        faults.push_back("the remark puts the root on the " + ordinalText(std::stoi(m[1])) +
                         " string, the shape on the " + ordinalText(rootString));
    return faults;
}

// The smallest fret span (highest minus lowest fret) of any placement of the notes on the
// strings with the given note in the bass.
int compactestSpan(const std::array<int, 3>& intervals, int bassInterval,
                   const std::array<int, 3>& strings) {
    int best = 99;
    for (int a = 0; a < 17; ++a)
        for (int b = 0; b < 17; ++b)
            for (int c = 0; c < 17; ++c) {
                const std::array<int, 3> f = {a, b, c};
                std::set<int> heard;
                int bass = 999;
                for (size_t k = 0; k < 3; ++k) {
                    const int pitch = OpenString[size_t(strings[k])] + f[k];
                    heard.insert(pitch % 12);
                    bass = std::min(bass, pitch);
                }
                // Placed on a root of pitch class 0, the notes are the intervals themselves.
                if (heard != std::set<int>(intervals.begin(), intervals.end()) ||
                    bass % 12 != bassInterval)
                    continue;
                best = std::min(best, std::max({a, b, c}) - std::min({a, b, c}));
            }
    return best;
}

std::string readText(const std::filesystem::path& path) {
    std::string text, error;
    readRegularFile(path, IniFile::MaxFileBytes, &text, &error);
    return text;
}

// Whether a file is there, without throwing for a name the system refuses (too long, say).
bool isThere(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The pitch classes (0 = C) that an example sounds outside the drums (MIDI channel 10). An
// example is stored as a standard MIDI file with everything after its 14-byte header in reverse
// byte order; a damaged file gives what its readable part sounds.
std::set<int> exampleNotes(const std::string& stored) {
    constexpr size_t Header = 14;
    std::set<int> out;
    if (stored.size() < Header)
        return out;
    const std::string mid =
        stored.substr(0, Header) + std::string(stored.rbegin(), stored.rend() - Header);
    const auto byte = [&](size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(mid[i]));
    };
    for (size_t chunk = Header; chunk + 8 <= mid.size();) {
        const size_t length =
            byte(chunk + 4) << 24 | byte(chunk + 5) << 16 | byte(chunk + 6) << 8 | byte(chunk + 7);
        const size_t end = std::min(mid.size(), chunk + 8 + length);
        const bool track = mid.compare(chunk, 4, "MTrk") == 0;
        size_t i = chunk + 8;
        // A variable-length quantity of up to four bytes; SIZE_MAX past the chunk's end.
        const auto quantity = [&]() -> size_t {
            size_t value = 0;
            for (int k = 0; k < 4 && i < end; ++k) {
                const unsigned b = byte(i++);
                value = value << 7 | (b & 0x7F);
                if (!(b & 0x80))
                    return value;
            }
            return SIZE_MAX;
        };
        unsigned status = 0;
        while (track && i < end && quantity() != SIZE_MAX && i < end) {
            const unsigned b = byte(i);
            if (b == 0xFF || b == 0xF0 || b == 0xF7) { // meta and system exclusive: skipped
                i += b == 0xFF ? 2 : 1;
                const size_t skip = i < end ? quantity() : SIZE_MAX;
                if (skip == SIZE_MAX || skip > end - i)
                    break;
                i += skip;
                status = 0;
                continue;
            }
            if (b & 0x80) {
                status = b;
                ++i;
            }
            if (status == 0)
                break;
            const size_t data = (status & 0xE0) == 0xC0 ? 1 : 2; // program and pressure: 1
            if (data > end - i)
                break;
            if ((status & 0xF0) == 0x90 && (status & 0x0F) != 9 && byte(i + 1) > 0)
                out.insert(int(byte(i) % 12));
            i += data;
        }
        if (length > mid.size())
            break;
        chunk += 8 + length;
    }
    return out;
}

bool allOf(std::string_view s, bool (*pred)(char)) {
    return std::all_of(s.begin(), s.end(), pred);
}

bool isStemChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "0", then ";" and 1..11 any number of times.
bool isIntervalList(const std::string& name) {
    const std::vector<std::string> parts = split(name, ';');
    if (parts.empty() || parts[0] != "0")
        return false;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        if (!(p.size() == 1 && p[0] >= '1' && p[0] <= '9') &&
            !(p.size() == 2 && p[0] == '1' && (p[1] == '0' || p[1] == '1')))
            return false;
    }
    return true;
}

// Spelling on the root C, whose key has no accidentals: the letter of the degree and the
// token's own accidental.
std::string notesFromC(const std::vector<FormulaToken>& tokens) {
    static const std::array<const char*, 5> accidental = {"bb", "b", "", "#", "x"};
    std::string out;
    for (const FormulaToken& t : tokens)
        out += (out.empty() ? "" : " ") + std::string(1, "CDEFGAB"[(t.degree - 1) % 7]) +
               accidental[size_t(t.accidental + 2)];
    return out;
}

std::string lineAfter(const std::string& text, const std::string& label) {
    const size_t at = text.find("\n" + label);
    if (at == std::string::npos)
        return {};
    size_t start = at + 1 + label.size();
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.substr(start, text.find('\n', start) - start);
}

// Tags of an HTML page that are opened and never closed, or closed without being opened.
std::vector<std::string> tagFaults(const std::string& html, std::string* title) {
    static const std::set<std::string> voidTags = {"meta", "br", "hr", "img", "link", "input"};
    std::vector<std::string> faults;
    std::vector<std::string> open;
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string::npos) {
        const size_t end = html.find('>', at);
        if (end == std::string::npos)
            break;
        std::string tag = html.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.empty() || tag[0] == '!' || tag[0] == '?')
            continue;
        const bool closing = tag[0] == '/';
        if (closing)
            tag.erase(0, 1);
        const bool selfClosing = !closing && tag.back() == '/'; // <circle ... /> in SVG
        tag = lowerCase(tag.substr(0, tag.find_first_of(" \t\n/")));
        if (voidTags.count(tag) || selfClosing)
            continue;
        if (!closing) {
            open.push_back(tag);
            if (tag == "title")
                *title = html.substr(at, html.find('<', at) - at);
        } else if (open.empty() || open.back() != tag) {
            faults.push_back("</" + tag + "> does not close <" +
                             (open.empty() ? std::string() : open.back()) + ">");
        } else {
            open.pop_back();
        }
    }
    for (const std::string& t : open)
        faults.push_back("<" + t + "> is never closed");
    return faults;
}

double median(std::vector<int> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string numberText(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// The same notes read from another of them as the root: the major triad of the library whose
// notes these are (when `tones`, the tones of the chord the set is named after, are more than
// three), and the interval of its own that lies on the given set's root, the bass of the slash
// chord; nothing when there is none. Only the major triad hides a name: C E A is a 6th chord
// without its 5th as much as A minor over C (the open C6 x32210), C F Bb a 7sus4 shell.
std::optional<std::pair<const Chord*, int>>
plainerReading(const std::set<int>& set, int tones,
               const std::map<std::set<int>, std::vector<const Chord*>>& chordsOfSet) {
    if (tones <= 3)
        return std::nullopt;
    for (int r : set) {
        if (r == 0)
            continue;
        std::set<int> rotated;
        for (int x : set)
            rotated.insert((x - r + 12) % 12);
        if (rotated != std::set<int>{0, 4, 7})
            continue;
        const auto it = chordsOfSet.find(rotated);
        if (it != chordsOfSet.end())
            return std::pair{it->second.front(), (12 - r) % 12};
    }
    return std::nullopt;
}

} // namespace

std::string LibraryValidator::Fault::text() const {
    std::string out = file;
    if (!section.empty())
        out += " [" + section + "]";
    if (!key.empty())
        out += " " + key;
    return out + ": " + message;
}

struct LibraryValidator::Impl {
    LibraryValidator& out;
    std::map<std::string, IniFile> files;
    std::vector<Chord> chords;
    std::vector<Scale> scales;
    std::map<std::string, std::string> stems;         // stem -> the item that uses it
    std::map<std::set<int>, std::string> voicingSets; // set -> where a voicing sounds it
    std::map<std::pair<int, int>, int> listedPerRoot; // (chord, root) -> open + movable

    void fault(const std::string& file, const std::string& section, const std::string& key,
               const std::string& message) {
        out.m_faults.push_back({file, section, key, message});
    }
    void warn(const std::string& file, const std::string& section, const std::string& key,
              const std::string& message) {
        out.m_warnings.push_back({file, section, key, message});
    }

    const IniFile& file(const std::string& name) {
        auto it = files.find(name);
        if (it != files.end())
            return it->second;
        IniFile ini = IniFile::load(out.m_dir / name);
        if (!ini.exists())
            fault(name, {}, {}, "the file is missing");
        for (const IniFile::Problem& p : ini.problems())
            fault(name, p.section, p.key, p.message);
        return files.emplace(name, std::move(ini)).first->second;
    }

    std::string value(const std::string& fileName, const std::string& section,
                      const std::string& key) {
        return file(fileName).value(section, key).value_or(std::string());
    }

    std::optional<int> number(const std::string& fileName, const std::string& section,
                              const std::string& key, int low, int high) {
        const std::optional<std::string> text = file(fileName).value(section, key);
        if (!text) {
            fault(fileName, section, key, "the key is missing");
            return std::nullopt;
        }
        const std::optional<int> n = wholeNumber(*text);
        if (!n) {
            fault(fileName, section, key, "\"" + *text + "\" is not a whole number");
            return std::nullopt;
        }
        if (*n < low || *n > high) {
            fault(fileName, section, key,
                  std::to_string(*n) + " lies outside " + std::to_string(low) + " to " +
                      std::to_string(high));
            return std::nullopt;
        }
        return n;
    }

    // The section holds exactly these keys, written in this case.
    void expectKeys(const std::string& fileName, const std::string& section,
                    const std::vector<std::string>& expected) {
        const IniFile::Section* s = file(fileName).section(section);
        if (!s)
            return;
        for (const IniFile::Key& k : s->keys) {
            const auto match =
                std::find_if(expected.begin(), expected.end(),
                             [&](const std::string& e) { return sameName(e, k.name); });
            if (match == expected.end())
                fault(fileName, section, k.name, "the key has no place here");
            else if (*match != k.name)
                fault(fileName, section, k.name, "the key must be written \"" + *match + "\"");
        }
        for (const std::string& e : expected)
            if (!file(fileName).value(section, e))
                fault(fileName, section, e, "the key is missing");
    }

    // Sections "0".."count-1" exist, and no section but those and the named extras.
    void expectSections(const std::string& fileName, int count,
                        const std::set<std::string>& extras) {
        const IniFile& ini = file(fileName);
        for (const IniFile::Section& s : ini.sections()) {
            const std::optional<int> n = wholeNumber(s.name);
            const bool numbered = n && *n >= 0 && *n < count && std::to_string(*n) == s.name;
            bool extra = false;
            for (const std::string& e : extras)
                extra = extra || sameName(e, s.name);
            if (!numbered && !extra)
                fault(fileName, s.name, {}, "the section has no place in this file");
        }
        for (int i = 0; i < count; ++i)
            if (!ini.section(std::to_string(i)))
                fault(fileName, std::to_string(i), {},
                      "the section is missing, but the count promises it");
    }

    // Reads and checks a formula; empty when it cannot be used.
    std::optional<std::vector<FormulaToken>> formula(const std::string& fileName,
                                                     const std::string& section) {
        std::string error;
        auto tokens = parseFormula(value(fileName, section, "formula"), &error);
        if (!tokens) {
            fault(fileName, section, "formula", error);
            return std::nullopt;
        }
        for (const std::string& f : formulaWritingFaults(*tokens))
            fault(fileName, section, "formula", f);
        return tokens;
    }

    // The totals and groups sections of chord.ini and scale.ini; returns (items, groups).
    std::pair<int, int> totals(const std::string& fileName, const std::string& countKey) {
        expectKeys(fileName, "totals", {countKey, "numgroups"});
        const int count = number(fileName, "totals", countKey, 1, 5000).value_or(0);
        const int groups = number(fileName, "totals", "numgroups", 1, 500).value_or(0);
        std::vector<std::string> keys;
        std::set<std::string> names;
        for (int g = 0; g < groups; ++g) {
            keys.push_back(std::to_string(g));
            const std::string name = value(fileName, "groups", std::to_string(g));
            if (name.empty())
                fault(fileName, "groups", std::to_string(g), "the group has no name");
            else if (!names.insert(name).second)
                fault(fileName, "groups", std::to_string(g),
                      "\"" + name + "\" names another group too");
        }
        expectKeys(fileName, "groups", keys);
        expectSections(fileName, count, {"totals", "groups"});
        return {count, groups};
    }

    void checkItemInfo(const std::string& fileName, const std::string& section,
                       const std::vector<FormulaToken>* tokens, const std::string& scalesLine) {
        constexpr size_t MaxStem = 100;
        constexpr int MaxSequences = 99;
        const std::string stem = value(fileName, section, "info");
        if (stem.empty() || !allOf(stem, isStemChar)) {
            fault(fileName, section, "info",
                  "\"" + stem.substr(0, MaxStem) + (stem.size() > MaxStem ? "..." : "") +
                      "\" is not a stem of lower-case letters, digits and \"_\"");
        } else if (stem.size() > MaxStem) {
            fault(fileName, section, "info",
                  "the stem is longer than " + std::to_string(MaxStem) + " characters");
        } else {
            const std::string where = fileName + " [" + section + "]";
            const auto [it, fresh] = stems.emplace(stem, where);
            if (!fresh)
                fault(fileName, section, "info",
                      "the stem \"" + stem + "\" is also used by " + it->second);
            const auto path = out.m_dir / "system" / (stem + ".txt");
            if (!isThere(path)) {
                warn(fileName, section, "info", "system/" + stem + ".txt is not written yet");
            } else if (tokens) {
                const std::string text = readText(path);
                const std::string notes = lineAfter(text, "Notes from C:");
                for (const char* label : {"Formula:", "Notes from C:"})
                    if (text.find(std::string("\n") + label) == std::string::npos)
                        fault(fileName, section, "info",
                              "system/" + stem + ".txt has no \"" + label + "\" line");
                if (!notes.empty() && notes != notesFromC(*tokens))
                    fault(fileName, section, "info",
                          "system/" + stem + ".txt gives the notes from C as \"" + notes +
                              "\"; they are \"" + notesFromC(*tokens) + "\"");
                std::string shown;
                for (const FormulaToken& t : *tokens) {
                    std::string token = t.text;
                    if (token[0] == 'f')
                        token = "bb" + token.substr(1);
                    shown += (shown.empty() ? "" : " ") + token;
                }
                const std::string formulaLine = lineAfter(text, "Formula:");
                if (!formulaLine.empty() && formulaLine != shown)
                    fault(fileName, section, "info",
                          "system/" + stem + ".txt shows the formula \"" + formulaLine + "\"");
                if (!scalesLine.empty()) {
                    const size_t at = text.find("Scales to play over it:");
                    if (at != std::string::npos) {
                        // The list runs to the end of its paragraph.
                        std::string listed = text.substr(at + 23);
                        listed = listed.substr(0, listed.find("\n\n"));
                        std::replace(listed.begin(), listed.end(), '\n', ' ');
                        listed.erase(0, listed.find_first_not_of(' '));
                        listed.erase(listed.find_last_not_of(" .") + 1);
                        std::string compact;
                        for (char c : listed)
                            if (!(c == ' ' && !compact.empty() && compact.back() == ' '))
                                compact += c;
                        if (compact != scalesLine)
                            fault(fileName, section, "relatedscaleid",
                                  "system/" + stem + ".txt lists other scales than " + scalesLine);
                    }
                }
            }
        }
        const std::string examples = value(fileName, section, "examples");
        const bool starred = !examples.empty() && examples.back() == '*';
        const std::string count = examples.substr(0, examples.size() - (starred ? 1 : 0));
        if (!allOf(count, isDigit)) {
            fault(fileName, section, "examples",
                  "\"" + examples.substr(0, 40) + (examples.size() > 40 ? "..." : "") +
                      "\" is not empty or a number with an optional \"*\"");
            return;
        }
        const size_t digits = count.find_first_not_of('0') == std::string::npos
                                  ? 0
                                  : count.size() - count.find_first_not_of('0');
        if (digits > 2) {
            fault(fileName, section, "examples",
                  "more than " + std::to_string(MaxSequences) + " example sequences");
            return;
        }
        const int sequences = count.empty() ? 0 : std::stoi(count);
        for (int n = 1; n <= sequences && stem.size() <= MaxStem; ++n)
            for (const char* suffix : {"", "g"}) {
                const std::string name = stem + "_" + std::to_string(n) + suffix + ".emd";
                if (!isThere(out.m_dir / "midi" / name))
                    fault(fileName, section, "examples", "midi/" + name + " is missing");
            }
        // A scale's backings together sound every note of the scale, so that the player hears
        // what sets it apart (the b6 of Hirajoshi, the b2 of In) and not only its tonic chord.
        if (fileName == ScaleFile && tokens && sequences > 0) {
            std::set<int> heard;
            for (int n = 1; n <= sequences && stem.size() <= MaxStem; ++n)
                for (int pc : exampleNotes(
                         readText(out.m_dir / "midi" / (stem + "_" + std::to_string(n) + ".emd"))))
                    heard.insert(pc);
            std::string silent; // a missing or empty file is named above; nothing to hear then
            for (const FormulaToken& t : *tokens)
                if (!heard.count(t.pitchClass()))
                    silent += (silent.empty() ? "" : ", ") + t.text;
            if (!silent.empty() && !heard.empty())
                fault(fileName, section, "examples",
                      "no backing sounds the scale's " + silent +
                          "; together they sound every note of the scale");
        }
        if (starred)
            for (int k = 1; k <= 6; ++k)
                if (!isThere(out.m_dir / "midi" / ("P0" + std::to_string(k) + ".emd")))
                    fault(fileName, section, "examples",
                          "midi/P0" + std::to_string(k) + ".emd is missing");
    }

    void checkScales() {
        const auto [count, groups] = totals(ScaleFile, "numscales");
        std::map<std::string, std::string> names; // name or other name -> section
        std::map<std::set<int>, std::string> sets;
        std::set<int> usedGroups;
        scales.assign(size_t(count), {});
        for (int i = 0; i < count; ++i) {
            const std::string sec = std::to_string(i);
            if (!file(ScaleFile).section(sec))
                continue;
            expectKeys(ScaleFile, sec, {"Name", "altname", "Group", "formula", "info", "examples"});
            Scale& scale = scales[size_t(i)];
            scale.name = value(ScaleFile, sec, "Name");
            if (const auto g = number(ScaleFile, sec, "Group", 0, groups - 1))
                usedGroups.insert(*g);
            const auto tokens = formula(ScaleFile, sec);
            if (tokens) {
                scale.valid = true;
                scale.pcs = pitchClasses(*tokens);
                const auto [it, fresh] = sets.emplace(scale.pcs, sec);
                if (!fresh)
                    fault(ScaleFile, sec, "formula", "scale " + it->second + " has the same notes");
            }
            std::vector<std::string> allNames = {scale.name};
            const std::string alt = value(ScaleFile, sec, "altname");
            if (!alt.empty())
                for (const std::string& a : split(alt, ';'))
                    allNames.push_back(a);
            for (size_t k = 0; k < allNames.size(); ++k) {
                const std::string& n = allNames[k];
                const char* key = k == 0 ? "Name" : "altname";
                if (n.empty()) {
                    fault(ScaleFile, sec, key, "a name is empty");
                    continue;
                }
                const auto [it, fresh] = names.emplace(n, sec);
                if (!fresh)
                    fault(ScaleFile, sec, key, "\"" + n + "\" also names scale " + it->second);
                const auto reference = referenceScale(n);
                if (!reference)
                    fault(ScaleFile, sec, key,
                          "no scale is known by the name \"" + n +
                              "\"; tools/validate-library/MusicTheory.cpp needs its steps");
                else if (tokens && *reference != scale.pcs)
                    fault(ScaleFile, sec, "formula",
                          tokensText(*tokens) + " does not give the notes of the " + n + " scale");
            }
            checkItemInfo(ScaleFile, sec, tokens ? &*tokens : nullptr, {});
        }
        for (int g = 0; g < groups; ++g)
            if (!usedGroups.count(g))
                warn(ScaleFile, "groups", std::to_string(g), "the group holds no scale");
        out.m_summary.scales = count;
    }

    void checkChords() {
        const auto [count, groups] = totals(ChordFile, "numchords");
        std::map<std::string, std::string> symbols; // name or symbol -> section
        std::map<std::string, std::string> verboseNames;
        std::map<std::set<int>, std::string> sets;
        std::set<int> usedGroups;
        chords.assign(size_t(count), {});
        for (int i = 0; i < count; ++i) {
            const std::string sec = std::to_string(i);
            if (!file(ChordFile).section(sec))
                continue;
            expectKeys(ChordFile, sec,
                       {"name", "nameverbose", "chordsymbols", "formula", "group", "relatedscaleid",
                        "info", "examples"});
            Chord& chord = chords[size_t(i)];
            chord.name = value(ChordFile, sec, "name");
            chord.verbose = value(ChordFile, sec, "nameverbose");
            if (const auto g = number(ChordFile, sec, "group", 0, groups - 1))
                usedGroups.insert(*g);
            if (chord.verbose.empty()) {
                fault(ChordFile, sec, "nameverbose", "the long name is empty");
            } else {
                const auto [it, fresh] = verboseNames.emplace(chord.verbose, sec);
                if (!fresh)
                    fault(ChordFile, sec, "nameverbose",
                          "\"" + chord.verbose + "\" is also the long name of chord " + it->second);
            }
            std::vector<std::string> names = {chord.name};
            const std::string list = value(ChordFile, sec, "chordsymbols");
            if (!list.empty())
                for (const std::string& s : split(list, ';'))
                    names.push_back(s);
            for (size_t k = 0; k < names.size(); ++k) {
                const char* key = k == 0 ? "name" : "chordsymbols";
                if (names[k].empty()) {
                    fault(ChordFile, sec, key, "a name or symbol is empty");
                    continue;
                }
                const auto [it, fresh] = symbols.emplace(names[k], sec);
                if (!fresh)
                    fault(ChordFile, sec, key,
                          "\"" + names[k] + "\" " +
                              (it->second == sec ? "is listed twice"
                                                 : "also stands for chord " + it->second));
            }

            const auto tokens = formula(ChordFile, sec);
            if (tokens) {
                chord.valid = true;
                chord.tokens = *tokens;
                chord.pcs = pitchClasses(*tokens);
                const std::set<std::string> omissible = omissibleTokens(*tokens, chord.name);
                for (const FormulaToken& t : *tokens) {
                    if (!omissible.count(t.text))
                        chord.required.insert(t.pitchClass());
                    else
                        chord.mayLeaveOut.insert(t.text);
                }
                // Two chords share their notes only when they spell them differently, as the
                // 11 chord (1;5;b7;9;11) and the 9sus4 (1;4;5;b7;9) do.
                const auto [it, fresh] = sets.emplace(chord.pcs, sec);
                if (!fresh &&
                    tokensText(chords[size_t(std::stoi(it->second))].tokens) == tokensText(*tokens))
                    fault(ChordFile, sec, "formula",
                          "chord " + it->second + " sounds the same notes");
                bool majorThird = false;
                bool eleventh = false;
                for (const FormulaToken& t : *tokens) {
                    majorThird = majorThird || t.text == "3";
                    eleventh = eleventh || t.text == "11";
                }
                if (majorThird && eleventh && chord.name.find("add11") == std::string::npos)
                    fault(ChordFile, sec, "formula",
                          "the 11th lies a minor 9th above the major 3rd; an 11th chord leaves "
                          "the 3rd out, and only a chord named add11 keeps both");
                const auto expected = formulaOfChordName(chord.name);
                if (!expected) {
                    fault(ChordFile, sec, "name",
                          "\"" + chord.name + "\" cannot be read as a chord symbol");
                } else {
                    std::vector<std::string> written;
                    for (const FormulaToken& t : *tokens)
                        written.push_back(t.text);
                    if (written != *expected) {
                        std::string want;
                        for (const std::string& t : *expected)
                            want += (want.empty() ? "" : ";") + t;
                        fault(ChordFile, sec, "formula",
                              tokensText(*tokens) + " is not the chord " + chord.name + " (" +
                                  want + ")");
                    }
                }
            }

            const std::string related = value(ChordFile, sec, "relatedscaleid");
            std::string scalesLine;
            if (related.empty())
                fault(ChordFile, sec, "relatedscaleid", "the chord names no related scale");
            else
                for (const std::string& item : split(related, ';')) {
                    const auto n = wholeNumber(item);
                    if (!n || *n < 0 || *n >= int(scales.size()) || std::to_string(*n) != item) {
                        fault(ChordFile, sec, "relatedscaleid",
                              "\"" + item + "\" is not a scale number");
                        continue;
                    }
                    if (std::find(chord.related.begin(), chord.related.end(), *n) !=
                        chord.related.end()) {
                        fault(ChordFile, sec, "relatedscaleid",
                              "scale " + item + " is listed twice");
                        continue;
                    }
                    chord.related.push_back(*n);
                    const Scale& scale = scales[size_t(*n)];
                    scalesLine += (scalesLine.empty() ? "" : ", ") + scale.name;
                    if (!chord.valid || !scale.valid)
                        continue;
                    std::string lacking;
                    for (const FormulaToken& t : chord.tokens)
                        if (!scale.pcs.count(t.pitchClass()))
                            lacking += (lacking.empty() ? "" : ", ") + t.text;
                    if (!lacking.empty())
                        fault(ChordFile, sec, "relatedscaleid",
                              "scale " + item + " (" + scale.name + ") lacks the chord tone(s) " +
                                  lacking);
                }
            checkItemInfo(ChordFile, sec, tokens ? &*tokens : nullptr, scalesLine);
        }
        for (int g = 0; g < groups; ++g)
            if (!usedGroups.count(g))
                warn(ChordFile, "groups", std::to_string(g), "the group holds no chord");
        out.m_summary.chords = count;
    }

    void noteVoicingSet(const std::set<int>& set, const std::string& where) {
        voicingSets.emplace(set, where);
    }

    // The remark names exactly the chord tones that the voicing leaves out.
    void checkLeftOutRemark(const std::string& key, const std::string& sec, const Chord& chord,
                            const std::set<int>& heard, const std::string& memo) {
        static const std::regex claim(
            R"(\bNo [#b]?\d+(?:st|nd|rd|th)?(?:(?:, | or )[#b]?\d+(?:st|nd|rd|th)?)*\.)");
        if (memo.size() > MaxSearchedText) {
            fault(VoicingFile, sec, key,
                  "the remark is longer than " + std::to_string(MaxSearchedText) + " characters");
            return;
        }
        std::smatch m;
        const std::string said = std::regex_search(memo, m, claim) ? m.str() : std::string();
        const std::string expected = leftOutRemark(chord, heard);
        if (said == expected)
            return;
        if (expected.empty())
            fault(VoicingFile, sec, key,
                  "the remark says \"" + said + "\", but no chord tone is left out");
        else
            fault(VoicingFile, sec, key,
                  "the voicing leaves chord tones out; the remark should say \"" + expected + "\"" +
                      (said.empty() ? "" : ", not \"" + said + "\""));
    }

    void checkOpenChords() {
        const std::string sec = "openchords";
        if (!file(VoicingFile).section(sec)) {
            fault(VoicingFile, sec, {}, "the section is missing");
            return;
        }
        const int n = number(VoicingFile, sec, "numvoicings", 0, 5000).value_or(0);
        std::vector<std::string> keys = {"numvoicings"};
        for (int i = 0; i < n; ++i)
            for (const char* k : {"rootnote", "quality", "fret", "finger", "memo"})
                keys.push_back(std::to_string(i) + k);
        expectKeys(VoicingFile, sec, keys);
        std::map<std::pair<int, int>, int> seen;
        for (int i = 0; i < n; ++i) {
            const std::string id = std::to_string(i);
            const auto root = number(VoicingFile, sec, id + "rootnote", 0, 11);
            const auto quality =
                number(VoicingFile, sec, id + "quality", 0, int(chords.size()) - 1);
            std::string error;
            const auto frets = parseFrets(value(VoicingFile, sec, id + "fret"), false, &error);
            if (!frets)
                fault(VoicingFile, sec, id + "fret", error);
            const auto fingers = parseFingers(value(VoicingFile, sec, id + "finger"), &error);
            if (!fingers)
                fault(VoicingFile, sec, id + "finger", error);
            if (!root || !quality || !frets || !fingers)
                continue;
            const Chord& chord = chords[size_t(*quality)];
            const std::string memo = value(VoicingFile, sec, id + "memo");
            const std::string label = noteName(*root) + chord.name;
            const auto [it, fresh] = seen.emplace(std::pair{*quality, *root}, i);
            if (!fresh)
                fault(VoicingFile, sec, id + "quality",
                      "a second open " + label + "; only entry " + std::to_string(it->second) +
                          " is ever shown");
            ++listedPerRoot[{*quality, *root}];
            // An open chord sounds an open string, or lies at the nut as the small F
            // (xx3211) does.
            bool open = false;
            int high = 0;
            for (int s = 1; s <= 6; ++s)
                if ((*frets)[size_t(s)]) {
                    open = open || *(*frets)[size_t(s)] <= 1;
                    high = std::max(high, *(*frets)[size_t(s)]);
                }
            if (!open)
                fault(VoicingFile, sec, id + "fret",
                      "the open " + label + " sounds no open string and does not reach the nut");
            if (high > OpenPositionLimit)
                fault(VoicingFile, sec, id + "fret",
                      "the open " + label + " reaches fret " + std::to_string(high) +
                          ", beyond the first position");
            for (const std::string& f : fingerFaults(*frets, *fingers, memo, {true}))
                fault(VoicingFile, sec, id + "finger", "open " + label + ": " + f);
            for (const std::string& f : remarkFaults(memo, *frets, *fingers, lowestString(*frets)))
                fault(VoicingFile, sec, id + "memo", f);
            if (!chord.valid)
                continue;
            for (const std::string& f : soundFaults(chord, *frets, *root))
                fault(VoicingFile, sec, id + "fret", "open " + label + ": " + f);
            std::set<int> heard;
            for (int s = 1; s <= 6; ++s)
                if ((*frets)[size_t(s)])
                    heard.insert(
                        ((OpenString[size_t(s)] + *(*frets)[size_t(s)] - *root) % 12 + 12) % 12);
            checkLeftOutRemark(id + "memo", sec, chord, heard, memo);
            noteVoicingSet(heard, VoicingFile + std::string(" [openchords] ") + id);
        }
        out.m_summary.openChords = n;
    }

    void checkMovable(int number_) {
        const std::string sec = std::to_string(number_);
        const Chord& chord = chords[size_t(number_)];
        const int m = number(VoicingFile, sec, "numVoicings", 0, 5000).value_or(0);
        std::vector<std::string> keys = {"numVoicings"};
        for (int j = 0; j < m; ++j) {
            for (const char* k : {"fret", "finger", "group", "root", "memo"})
                keys.push_back(std::to_string(j) + k);
            // The caption is written only where the list shows more than the root string.
            if (file(VoicingFile).value(sec, std::to_string(j) + "caption"))
                keys.push_back(std::to_string(j) + "caption");
        }
        expectKeys(VoicingFile, sec, keys);

        // The playable shapes of each root string, as many as any count below asks for.
        std::map<int, std::vector<std::pair<Frets, Fingers>>> searched;
        const auto shapesOn = [&](int rs) -> const std::vector<std::pair<Frets, Fingers>>& {
            auto it = searched.find(rs);
            if (it == searched.end())
                it = searched
                         .emplace(rs, chord.valid
                                          ? playableShapes(chord, rs, size_t(MinMovablePerChord))
                                          : std::vector<std::pair<Frets, Fingers>>())
                         .first;
            return it->second;
        };

        std::set<std::pair<int, std::string>> shapes;
        std::map<int, int> byRootString;
        std::optional<std::pair<int, int>> previous; // root string and lowest fret before
        bool rootedEnded = false;                    // an inversion or a rootless grip came before
        int rootlessGrips = 0;
        for (int j = 0; j < m; ++j) {
            const std::string id = std::to_string(j);
            const auto rootString = number(VoicingFile, sec, id + "root", 1, 6);
            number(VoicingFile, sec, id + "group", 0, 1);
            const std::string memo = value(VoicingFile, sec, id + "memo");
            if (memo.empty())
                fault(VoicingFile, sec, id + "memo", "the remark is empty");
            std::string error;
            const std::string fretText = value(VoicingFile, sec, id + "fret");
            const auto frets = parseFrets(fretText, true, &error);
            if (!frets)
                fault(VoicingFile, sec, id + "fret", error);
            const auto fingers = parseFingers(value(VoicingFile, sec, id + "finger"), &error);
            if (!fingers)
                fault(VoicingFile, sec, id + "finger", error);
            if (!rootString || !frets || !fingers)
                continue;
            const int rs = *rootString;
            if (!shapes.insert({rs, fretText}).second)
                fault(VoicingFile, sec, id + "fret", "the same shape is listed twice");
            const auto kind = captionKind(file(VoicingFile).value(sec, id + "caption"), chord);
            if (!kind.fault.empty()) {
                fault(VoicingFile, sec, id + "caption", kind.fault);
                continue;
            }
            if (kind.rootless ? (*frets)[size_t(rs)].has_value() : (*frets)[size_t(rs)] != 0) {
                fault(VoicingFile, sec, id + "fret",
                      "the root string " + std::to_string(rs) +
                          (kind.rootless ? " of a rootless grip must be silent"
                                         : " must play relative fret 00"));
                continue;
            }
            const bool rooted = !kind.rootless && kind.bass == 0;
            if (rooted)
                ++byRootString[rs];
            if (rooted && lowestString(*frets) != rs)
                fault(VoicingFile, sec, id + "root",
                      "the root string " + std::to_string(rs) + " is not the lowest string played");
            if (rooted && rootedEnded)
                fault(VoicingFile, sec, id + "caption",
                      "a grip with the root in the bass is listed after an inversion or a "
                      "rootless grip; those come last");
            rootedEnded = rootedEnded || !rooted;
            for (const std::string& f : dropFaults(kind.drop, *frets))
                fault(VoicingFile, sec, id + "caption", f);
            if (chord.name == "quartal")
                for (const std::string& f : quartalFaults(*frets))
                    fault(VoicingFile, sec, id + "fret", f);
            // The list reads from the root on the 6th string to the 3rd, and along the neck
            // within one root string.
            int lowest = 0;
            for (const auto& f : *frets)
                if (f)
                    lowest = std::min(lowest, *f);
            if (rooted && previous &&
                (rs > previous->first || (rs == previous->first && lowest < previous->second)))
                fault(VoicingFile, sec, id + "root",
                      "the voicing (root on the " + ordinalText(rs) + " string, lowest fret " +
                          std::to_string(lowest) + ") belongs before voicing " +
                          std::to_string(j - 1) +
                          "; voicings are listed by root string 6 to 3, then by position");
            if (rooted)
                previous = {rs, lowest};
            for (const std::string& f : fingerFaults(*frets, *fingers, memo, {false}))
                fault(VoicingFile, sec, id + "finger", f);
            for (const std::string& f : remarkFaults(memo, *frets, *fingers, rs))
                fault(VoicingFile, sec, id + "memo", f);
            if (!chord.valid)
                continue;
            Chord rule = chord;
            if (kind.rootless)
                rule.required.erase(0);
            std::set<std::string> reported;
            for (int root = 0; root < 12; ++root) {
                const Frets placed = moveShape(*frets, root, rs);
                std::vector<std::string> faults =
                    soundFaults(rule, placed, root, kind.bass, kind.bassName.c_str());
                int low = 999;
                int high = -999;
                for (const auto& f : placed)
                    if (f) {
                        low = std::min(low, *f);
                        high = std::max(high, *f);
                    }
                if (low < 1 || high > MaxFret)
                    faults.push_back("it lies on frets " + std::to_string(low) + " to " +
                                     std::to_string(high) + ", off the neck's frets 1 to " +
                                     std::to_string(MaxFret));
                for (const std::string& f : faults)
                    if (reported.insert(f).second)
                        fault(VoicingFile, sec, id + "fret",
                              f.rfind("it lies", 0) == 0 ? "at the root " + noteName(root) + " " + f
                                                         : f);
                ++listedPerRoot[{number_, root}];
            }
            const std::set<int> heard = relativeIntervals(*frets, rs);
            checkLeftOutRemark(id + "memo", sec, chord, heard, memo);
            if (kind.rootless) {
                ++rootlessGrips;
                ++out.m_summary.rootless;
            } else {
                noteVoicingSet(heard, VoicingFile + std::string(" [") + sec + "] " + id);
                if (kind.bass != 0)
                    ++out.m_summary.inversions;
            }
        }

        if (m > 0 && chord.valid) {
            // Two voicings with the root on the 6th string, two on the 5th and one on the 4th,
            // as far as the search finds shapes there.
            for (const auto& [rs, wanted] :
                 {std::pair{6, MinOnRootString}, {5, MinOnRootString}, {4, size_t(1)}}) {
                const size_t have = byRootString.count(rs) ? size_t(byRootString.at(rs)) : 0;
                if (have >= wanted)
                    continue;
                const auto& found = shapesOn(rs);
                const auto unlisted =
                    std::find_if(found.begin(), found.end(), [&, string = rs](const auto& shape) {
                        return !shapes.count({string, fretsText(shape.first)});
                    });
                const std::string example =
                    unlisted == found.end()
                        ? std::string()
                        : ", for example the frets " + fretsText(unlisted->first) +
                              " with the fingers " + fingersText(unlisted->second);
                if (have < std::min(wanted, found.size()) && have == 0)
                    fault(VoicingFile, sec, "numVoicings",
                          "no voicing of " + chord.name + " has its root on the " +
                              ordinalText(rs) + " string, though a shape can be played there" +
                              example);
                else if (have < std::min(wanted, found.size()))
                    fault(VoicingFile, sec, "numVoicings",
                          std::to_string(have) + " voicing(s) of " + chord.name +
                              " have the root on the " + ordinalText(rs) + " string; it has " +
                              std::to_string(std::min(wanted, found.size())) +
                              " playable shapes there at least" + example);
                else if (have == 0 && rs == 6 && !rootlessGrips)
                    fault(VoicingFile, sec, "numVoicings",
                          "no voicing of " + chord.name +
                              " has its root on the 6th string, and no rootless grip stands in");
                else if (rs != 4)
                    out.m_summary.fewOnRootString[rs].emplace_back(chord.name, int(have));
            }
        }
        // Six voicings, four for a chord of six tones or more, which has fewer ways onto six
        // strings; a chord that fills the hand may have fewer shapes than that: then it lists
        // every one that the search finds with the root on the 6th, 5th or 4th string.
        const int wanted = chord.tokens.size() >= 6 ? MinMovableRichChord : MinMovablePerChord;
        int needed = wanted;
        if (m < needed && chord.valid) {
            int playable = 0;
            for (int rs : {6, 5, 4})
                playable += int(shapesOn(rs).size());
            needed = std::min(needed, playable);
        }
        if (m < needed)
            fault(VoicingFile, sec, "numVoicings",
                  "chord " + chord.name + " has " + std::to_string(m) +
                      " movable voicings; it needs at least " + std::to_string(needed));
        else if (m < wanted && m > 0)
            out.m_summary.fewVoicings.emplace_back(chord.name, m);
        out.m_summary.movablePerChord[size_t(number_)] = m;
        for (int rs = 1; rs <= 6; ++rs)
            out.m_summary.perChordByRootString[rs][size_t(number_)] =
                byRootString.count(rs) ? byRootString[rs] : 0;
    }

    void checkVoicings() {
        file(VoicingFile);
        expectSections(VoicingFile, int(chords.size()), {"openchords"});
        out.m_summary.movablePerChord.assign(chords.size(), 0);
        for (int rs = 1; rs <= 6; ++rs)
            out.m_summary.perChordByRootString[rs].assign(chords.size(), 0);
        checkOpenChords();
        for (int i = 0; i < int(chords.size()); ++i)
            if (file(VoicingFile).section(std::to_string(i)))
                checkMovable(i);
        for (const auto& [where, n] : listedPerRoot)
            if (n > MaxVoicingsPerRoot)
                fault(VoicingFile, std::to_string(where.first), "numVoicings",
                      std::to_string(n) + " voicings for the root " + noteName(where.second) +
                          "; at most " + std::to_string(MaxVoicingsPerRoot) + " fit");
        // Keep only the root strings that carry voicings in the summary.
        auto& byString = out.m_summary.perChordByRootString;
        for (auto it = byString.begin(); it != byString.end();)
            it = std::all_of(it->second.begin(), it->second.end(), [](int n) { return n == 0; })
                     ? byString.erase(it)
                     : std::next(it);
    }

    void checkTriads() {
        static const std::array<const char*, 4> qualities = {"Major", "Minor", "Diminished",
                                                             "Augmented"};
        static const std::array<const char*, 3> inversions = {"Root Position", "1st Inversion",
                                                              "2nd Inversion"};
        static const std::array<const char*, 4> formulas = {"1;3;5", "1;b3;5", "1;b3;b5", "1;3;#5"};
        static const std::array<std::array<int, 3>, 4> groups = {
            {{6, 5, 4}, {5, 4, 3}, {4, 3, 2}, {3, 2, 1}}};
        file(TriadFile);
        std::set<std::string> shapeSections;
        for (int t = 0; t < 12; ++t)
            for (int g = 0; g < 4; ++g)
                shapeSections.insert(std::to_string(t) + "." + std::to_string(g));
        expectSections(TriadFile, 12, shapeSections);
        for (int t = 0; t < 12; ++t) {
            const std::string sec = std::to_string(t);
            const int quality = t / 3;
            const int inversion = t % 3;
            std::optional<std::vector<FormulaToken>> tokens;
            if (file(TriadFile).section(sec)) {
                expectKeys(TriadFile, sec, {"name", "formula", "info", "examples"});
                const std::string name =
                    std::string(qualities[size_t(quality)]) + " " + inversions[size_t(inversion)];
                if (value(TriadFile, sec, "name") != name)
                    fault(TriadFile, sec, "name", "should be \"" + name + "\"");
                tokens = formula(TriadFile, sec);
                if (tokens && tokensText(*tokens) != formulas[size_t(quality)])
                    fault(TriadFile, sec, "formula",
                          "the " + lowerCase(qualities[size_t(quality)]) + " triad is " +
                              formulas[size_t(quality)]);
                checkItemInfo(TriadFile, sec, tokens ? &*tokens : nullptr, {});
            }
            std::string error;
            const auto triad = *parseFormula(formulas[size_t(quality)], &error);
            const std::array<int, 3> intervals = {triad[0].pitchClass(), triad[1].pitchClass(),
                                                  triad[2].pitchClass()};
            const int bassInterval = intervals[size_t(inversion)];
            Chord asChord;
            asChord.valid = true;
            asChord.tokens = triad;
            asChord.pcs = pitchClasses(triad);
            for (int g = 0; g < 4; ++g) {
                const std::string shape = std::to_string(t) + "." + std::to_string(g);
                if (!file(TriadFile).section(shape))
                    continue;
                ++out.m_summary.triadShapes;
                expectKeys(TriadFile, shape, {"fret", "finger", "rootnote"});
                const auto frets = parseFrets(value(TriadFile, shape, "fret"), true, &error);
                if (!frets)
                    fault(TriadFile, shape, "fret", error);
                const auto fingers = parseFingers(value(TriadFile, shape, "finger"), &error);
                if (!fingers)
                    fault(TriadFile, shape, "finger", error);
                const auto rootString = number(TriadFile, shape, "rootnote", 1, 6);
                if (!frets || !fingers || !rootString)
                    continue;
                const std::array<int, 3>& strings = groups[size_t(g)];
                bool onGroup = true;
                for (int s = 1; s <= 6; ++s)
                    onGroup = onGroup &&
                              (*frets)[size_t(s)].has_value() ==
                                  (std::find(strings.begin(), strings.end(), s) != strings.end());
                if (!onGroup) {
                    fault(TriadFile, shape, "fret",
                          "the shape must play strings " + std::to_string(strings[0]) + "-" +
                              std::to_string(strings[1]) + "-" + std::to_string(strings[2]) +
                              " and no other");
                    continue;
                }
                if ((*frets)[size_t(*rootString)] != 0) {
                    fault(TriadFile, shape, "rootnote",
                          "the root string " + std::to_string(*rootString) +
                              " must be in the group at relative fret 00");
                    continue;
                }
                const int least = compactestSpan(intervals, bassInterval, strings);
                std::string memo = least >= 4 ? "stretch" : "";
                for (const std::string& f : fingerFaults(*frets, *fingers, memo, {false}))
                    fault(TriadFile, shape, "finger", f);
                int low = 999;
                int high = -999;
                for (const auto& f : *frets)
                    if (f) {
                        low = std::min(low, *f);
                        high = std::max(high, *f);
                    }
                if (high - low > least)
                    fault(TriadFile, shape, "fret",
                          "the shape spans " + std::to_string(high - low + 1) +
                              " frets; this triad fits in " + std::to_string(least + 1));
                std::set<std::string> reported;
                for (int root = 0; root < 12; ++root) {
                    Frets placed = moveShape(*frets, root, *rootString);
                    // The two places where the diminished root-position shape would reach
                    // fret 16 are drawn from a fixed open-position picture instead.
                    if (t == 6 && ((g == 0 && root == 8) || (g == 1 && root == 1))) {
                        const int top = g == 0 ? 6 : 5;
                        placed = Frets{};
                        placed[size_t(top)] = 4;
                        placed[size_t(top - 1)] = 2;
                        placed[size_t(top - 2)] = 0;
                    }
                    std::vector<std::string> faults =
                        soundFaults(asChord, placed, root, bassInterval,
                                    inversion == 0   ? "the root"
                                    : inversion == 1 ? "the 3rd"
                                                     : "the 5th");
                    int top = 0;
                    for (const auto& f : placed)
                        if (f)
                            top = std::max(top, *f);
                    if (top > MaxFret)
                        faults.push_back("it reaches fret " + std::to_string(top));
                    for (const std::string& f : faults)
                        if (reported.insert(f).second)
                            fault(TriadFile, shape, "fret",
                                  f.rfind("it reaches", 0) == 0
                                      ? "at the root " + noteName(root) + " " + f
                                      : f);
                }
            }
        }
    }

    void checkFinder() {
        const IniFile& ini = file(FinderFile);
        std::map<std::set<int>, std::pair<std::string, std::string>> named; // set -> (sec, d)
        struct FinderName {
            std::set<int> set;
            std::string section;
            std::string d;
            int described = 0; // tones of the chord the name stands for
            FinderName(std::set<int> s, std::string sec, std::string text)
                : set(std::move(s)), section(std::move(sec)), d(std::move(text)),
                  described(int(set.size())) {}
        };
        std::vector<FinderName> finderOnly; // names that are not a chord's own long name
        std::map<std::string, const Chord*> byVerbose;
        for (const Chord& c : chords)
            if (c.valid)
                byVerbose[c.verbose] = &c;
        static const std::map<std::string, int> degreeWords = {
            {"3rd", 3}, {"5th", 5}, {"9th", 9}, {"11th", 11}, {"13th", 13}};
        for (const IniFile::Section& s : ini.sections()) {
            if (!isIntervalList(s.name)) {
                fault(FinderFile, s.name, {},
                      "the section name is not a list of intervals 0..11 from 0, joined by \";\"");
                continue;
            }
            std::set<int> set;
            int previous = -1;
            bool ascending = true;
            for (const std::string& part : split(s.name, ';')) {
                const int n = std::stoi(part);
                ascending = ascending && n > previous;
                previous = n;
                set.insert(n);
            }
            if (!ascending) {
                fault(FinderFile, s.name, {}, "the intervals must ascend, each once");
                continue;
            }
            expectKeys(FinderFile, s.name, {"d"});
            const std::string d = value(FinderFile, s.name, "d");
            if (d.empty()) {
                fault(FinderFile, s.name, "d", "the description is empty");
                continue;
            }
            named[set] = {s.name, d};
            finderOnly.emplace_back(set, s.name, d);
            // A chord's long name, perhaps with the degrees its voicings leave out, must
            // describe exactly the notes that remain.
            std::string base = d;
            std::string omitted;
            // "<name> (no <degrees>)": the last such bracket, with no ")" inside it.
            const size_t open = d.rfind(" (no ");
            if (open != std::string::npos && d.back() == ')' && d.find(')', open) == d.size() - 1) {
                base = d.substr(0, open);
                omitted = d.substr(open + 2, d.size() - open - 3);
            }
            const auto chord = byVerbose.find(base);
            if (chord == byVerbose.end())
                continue;
            if (omitted.empty() && chord->second->pcs == set)
                finderOnly.pop_back(); // a chord's own name
            else
                finderOnly.back().described = int(chord->second->tokens.size());
            std::set<int> expected = chord->second->pcs;
            bool understood = true;
            if (!omitted.empty())
                for (std::string word : split(omitted, ',')) {
                    word.erase(0, word.find_first_not_of(' '));
                    const auto degree = word.size() > 3 && word.substr(0, 3) == "no "
                                            ? degreeWords.find(word.substr(3))
                                            : degreeWords.end();
                    const auto token =
                        degree == degreeWords.end()
                            ? chord->second->tokens.end()
                            : std::find_if(chord->second->tokens.begin(),
                                           chord->second->tokens.end(), [&](const FormulaToken& t) {
                                               return t.degree == degree->second;
                                           });
                    if (token == chord->second->tokens.end()) {
                        fault(FinderFile, s.name, "d",
                              "\"" + word + "\": " + base + " has no such degree");
                        understood = false;
                        continue;
                    }
                    expected.erase(token->pitchClass());
                }
            if (understood && expected != set)
                fault(FinderFile, s.name, "d",
                      "\"" + d + "\" is the set [" + setText(expected) + "]");
        }
        std::map<std::set<int>, std::vector<const Chord*>> chordsOfSet;
        for (const Chord& c : chords)
            if (c.valid)
                chordsOfSet[c.pcs].push_back(&c);
        for (const auto& [set, sharing] : chordsOfSet) {
            const Chord& c = *sharing.front();
            const auto it = named.find(set);
            const auto namedBy = [&](const Chord* other) {
                return it != named.end() && it->second.second == other->verbose;
            };
            if (it == named.end())
                fault(FinderFile, setText(set), {},
                      "the section is missing; it should name the chord " + c.name + " (\"" +
                          c.verbose + "\")");
            else if (std::none_of(sharing.begin(), sharing.end(), namedBy))
                fault(FinderFile, it->second.first, "d",
                      "is \"" + it->second.second + "\"; the chord " + c.name +
                          " with these notes is \"" + c.verbose + "\"");
        }
        // A name of the finder's own must not hide the major triad in inversion, so that an
        // open C's E G C reads "C Major / E" rather than as a minor chord with a b6.
        for (const FinderName& f : finderOnly)
            if (const auto plainer = plainerReading(f.set, f.described, chordsOfSet))
                fault(FinderFile, f.section, "d",
                      "\"" + f.d + "\" is " + plainer->first->name + " with its " +
                          intervalName(plainer->second) +
                          " in the bass; leave the set unnamed "
                          "so that the finder shows the slash chord");
        for (const auto& [set, where] : voicingSets) {
            if (named.count(set))
                continue;
            const auto plainer = plainerReading(set, int(set.size()) + 1, chordsOfSet);
            if (!plainer || !named.count(plainer->first->pcs))
                fault(FinderFile, setText(set), {},
                      "the section is missing; " + where + " sounds these intervals");
        }
        out.m_summary.finderSets = int(named.size());
    }

    void checkPages() {
        const std::vector<std::pair<std::string, std::string>> pages = {
            {"userguide/index.htm", "Chordalis User Guide"},
            {"system/rmp.htm", "Root Movement Patterns"}};
        for (const auto& [name, title] : pages) {
            const auto path = out.m_dir / name;
            if (!isThere(path)) {
                fault(name, {}, {}, "the page is missing");
                continue;
            }
            std::string found;
            for (const std::string& f : tagFaults(readText(path), &found))
                fault(name, {}, {}, f);
            if (found.find(title) == std::string::npos)
                fault(name, {}, {}, "the title should contain \"" + title + "\"");
        }
        for (const char* name : {"system/README.txt", "midi/README.txt"})
            if (!isThere(out.m_dir / name))
                fault(name, {}, {}, "the file is missing");
    }
};

LibraryValidator::LibraryValidator(std::filesystem::path dataDir) : m_dir(std::move(dataDir)) {}

void LibraryValidator::run() {
    m_faults.clear();
    m_warnings.clear();
    m_summary = {};
    Impl impl{*this, {}, {}, {}, {}, {}, {}};
    for (const char* name : {ScaleFile, ChordFile, VoicingFile, TriadFile, FinderFile})
        impl.file(name);
    impl.checkScales();
    impl.checkChords();
    impl.checkVoicings();
    impl.checkTriads();
    impl.checkFinder();
    impl.checkPages();
}

std::string LibraryValidator::summaryText() const {
    const Summary& s = m_summary;
    int movable = 0;
    for (int n : s.movablePerChord)
        movable += n;
    std::ostringstream out;
    out << s.chords << " chords, " << s.scales << " scales, " << s.triadShapes << " triad shapes, "
        << s.finderSets << " finder sets\n";
    out << s.openChords << " open chords, " << movable << " movable voicings";
    if (!s.movablePerChord.empty())
        out << " (per chord: at least "
            << *std::min_element(s.movablePerChord.begin(), s.movablePerChord.end()) << ", median "
            << numberText(median(s.movablePerChord)) << ")";
    out << "\n";
    for (auto it = s.perChordByRootString.rbegin(); it != s.perChordByRootString.rend(); ++it) {
        int total = 0;
        for (int n : it->second)
            total += n;
        out << "  root on the " << ordinalText(it->first) << " string: " << total
            << " (per chord: at least " << *std::min_element(it->second.begin(), it->second.end())
            << ", median " << numberText(median(it->second)) << ")\n";
    }
    if (s.inversions > 0 || s.rootless > 0)
        out << "  " << s.inversions << " inversions (another chord tone in the bass) and "
            << s.rootless << " rootless grips\n";
    const auto list = [&](const std::vector<std::pair<std::string, int>>& chords) {
        std::string text;
        for (const auto& [name, n] : chords)
            text += (text.empty() ? "" : ", ") + name + " " + std::to_string(n);
        return text;
    };
    for (auto it = s.fewOnRootString.rbegin(); it != s.fewOnRootString.rend(); ++it)
        out << "Fewer than two with the root on the " << ordinalText(it->first)
            << " string, where no more shapes can be played (" << it->second.size()
            << "): " << list(it->second) << "\n";
    if (!s.fewVoicings.empty())
        out << "Fewer than six voicings (four from six tones), where no more shapes can be played ("
            << s.fewVoicings.size() << "): " << list(s.fewVoicings) << "\n";
    return out.str();
}

} // namespace chordalis
