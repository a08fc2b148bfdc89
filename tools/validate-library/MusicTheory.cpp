#include "MusicTheory.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

namespace chordalis {

namespace {

// Semitones of the major scale's degrees 1..7.
constexpr std::array<int, 8> MajorDegree = {0, 0, 2, 4, 5, 7, 9, 11};

int accidentalOf(char c) {
    switch (c) {
    case 'f':
        return -2;
    case 'b':
        return -1;
    case '#':
        return 1;
    case 'x':
        return 2;
    default:
        return 0;
    }
}

// The seventeen roots of the root tabs as letter index (C = 0 .. B = 6) and pitch class.
struct RootTab {
    int letter;
    int pitchClass;
    const char* name;
};
constexpr std::array<RootTab, 17> RootTabs = {{{0, 0, "C"},
                                               {0, 1, "C#"},
                                               {1, 1, "Db"},
                                               {1, 2, "D"},
                                               {1, 3, "D#"},
                                               {2, 3, "Eb"},
                                               {2, 4, "E"},
                                               {3, 5, "F"},
                                               {3, 6, "F#"},
                                               {4, 6, "Gb"},
                                               {4, 7, "G"},
                                               {4, 8, "G#"},
                                               {5, 8, "Ab"},
                                               {5, 9, "A"},
                                               {5, 10, "A#"},
                                               {6, 10, "Bb"},
                                               {6, 11, "B"}}};
constexpr std::array<int, 7> LetterPitch = {0, 2, 4, 5, 7, 9, 11};

int semitonesOf(std::string_view token) {
    const int accidental = accidentalOf(token.front());
    const std::string_view digits = accidental != 0 ? token.substr(1) : token;
    const int degree = std::stoi(std::string(digits));
    return MajorDegree[size_t((degree - 1) % 7 + 1)] + (degree > 7 ? 12 : 0) + accidental;
}

std::set<int> fromSteps(const std::vector<int>& steps, size_t mode = 0) {
    std::set<int> pcs;
    int at = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        pcs.insert(at % 12);
        at += steps[(mode + i) % steps.size()];
    }
    return pcs;
}

const std::map<std::string, std::set<int>, std::less<>>& scaleReferences() {
    static const std::map<std::string, std::set<int>, std::less<>> table = [] {
        std::map<std::string, std::set<int>, std::less<>> t;
        auto modes = [&](const std::vector<int>& steps,
                         std::vector<std::vector<std::string>> names) {
            for (size_t m = 0; m < names.size(); ++m)
                for (const std::string& n : names[m])
                    t[n] = fromSteps(steps, m);
        };
        modes({2, 2, 1, 2, 2, 2, 1}, {{"Major", "Ionian", "Diatonic Major", "Bilawal Thaat"},
                                      {"Dorian", "Kafi Thaat"},
                                      {"Phrygian", "Bhairavi Thaat"},
                                      {"Lydian", "Kalyan Thaat"},
                                      {"Mixolydian", "Dominant Scale", "Khamaj Thaat"},
                                      {"Natural Minor", "Aeolian", "Pure Minor", "Asavari Thaat"},
                                      {"Locrian"}});
        modes({2, 1, 2, 2, 2, 2, 1},
              {{"Melodic Minor", "Jazz Minor", "Ascending Melodic Minor"},
               {"Dorian b2", "Phrygian #6"},
               {"Lydian Augmented", "Lydian #5"},
               {"Lydian Dominant", "Overtone Scale", "Lydian b7", "Acoustic Scale"},
               {"Mixolydian b6", "Aeolian Dominant", "Hindu", "Melodic Major"},
               {"Locrian #2", "Half-Diminished Scale", "Aeolian b5"},
               {"Altered", "Super Locrian", "Diminished Whole Tone"}});
        modes({2, 1, 2, 2, 1, 3, 1}, {{"Harmonic Minor", "Aeolian #7"},
                                      {"Locrian #6", "Locrian Natural 6"},
                                      {"Ionian #5", "Ionian Augmented"},
                                      {"Dorian #4", "Romanian Minor", "Ukrainian Dorian", "Nikriz"},
                                      {"Phrygian Dominant", "Spanish Phrygian", "Phrygian Major",
                                       "Freygish", "Ahava Rabbah", "Hijaz"},
                                      {"Lydian #2", "Lydian #9"},
                                      {"Super Locrian bb7", "Ultralocrian", "Altered Diminished"}});
        modes({2, 2, 1, 2, 1, 3, 1}, {{"Harmonic Major", "Ionian b6", "Major Harmonic"},
                                      {"Dorian b5"},
                                      {"Phrygian b4"},
                                      {"Lydian b3", "Melodic Minor #4", "Lydian Diminished"},
                                      {"Mixolydian b2"},
                                      {"Lydian Augmented #2"},
                                      {"Locrian bb7"}});
        modes({2, 2, 3, 2, 3}, {{"Major Pentatonic", "Pentatonic Major"},
                                {"Suspended Pentatonic", "Egyptian", "Slendro"},
                                {"Man Gong", "Malkauns"},
                                {"Ritsusen", "Ritusen", "Yo"},
                                {"Minor Pentatonic", "Pentatonic Minor"}});
        // The major scale of Naples and its modes.
        modes({1, 2, 2, 2, 2, 2, 1}, {{"Neapolitan Major", "Melodic Minor b2"},
                                      {"Leading Whole Tone"},
                                      {},
                                      {"Lydian Minor"},
                                      {"Major Locrian", "Locrian Major"}});
        // Messiaen's modes of limited transposition, each from its first form.
        modes({2, 2, 2, 2, 2, 2}, {{"Whole Tone", "Whole Step Scale", "Messiaen's Mode 1"}});
        modes({1, 2, 1, 2, 1, 2, 1, 2},
              {{"Diminished Half-Whole", "Half-Whole Diminished", "Dominant Diminished",
                "Messiaen's Mode 2"},
               {"Diminished Whole-Half", "Whole-Half Diminished", "Octatonic"}});
        modes({2, 1, 1, 2, 1, 1, 2, 1, 1}, {{"Messiaen's Mode 3"}});
        modes({1, 1, 3, 1, 1, 1, 3, 1}, {{"Messiaen's Mode 4"}});
        modes({1, 4, 1, 1, 4, 1}, {{"Messiaen's Mode 5"}});
        modes({2, 2, 1, 1, 2, 2, 1, 1}, {{"Messiaen's Mode 6"}});
        modes({1, 1, 1, 2, 1, 1, 1, 1, 2, 1}, {{"Messiaen's Mode 7"}});
        modes({3, 1, 3, 1, 3, 1}, {{"Augmented", "Augmented Hexatonic", "Symmetrical Augmented"},
                                   {"Six-Tone Symmetric"}});
        const std::vector<std::pair<std::vector<std::string>, std::vector<int>>> single = {
            {{"Blues", "Minor Blues", "Blues Hexatonic"}, {3, 2, 1, 1, 3, 2}},
            {{"Major Blues", "Major Blues Hexatonic"}, {2, 1, 1, 3, 2, 3}},
            {{"Nine-Note Blues", "Composite Blues", "Blues Nonatonic"},
             {2, 1, 1, 1, 1, 1, 2, 1, 2}},
            {{"Dominant Pentatonic"}, {2, 2, 3, 3, 2}},
            {{"Minor 6 Pentatonic", "Minor Sixth Pentatonic"}, {3, 2, 2, 2, 3}},
            {{"Mixolydian Pentatonic"}, {4, 1, 2, 3, 2}},
            {{"Ionian Pentatonic", "Ryukyu"}, {4, 1, 2, 4, 1}},
            {{"Lydian Pentatonic", "Chinese"}, {4, 2, 1, 4, 1}},
            {{"Lydian Dominant Pentatonic"}, {4, 2, 1, 3, 2}},
            {{"Locrian Pentatonic", "Minor 7b5 Pentatonic"}, {3, 2, 1, 4, 2}},
            {{"Major b6 Pentatonic", "Flat Six Pentatonic"}, {2, 2, 3, 1, 4}},
            {{"Whole Tone Pentatonic"}, {4, 2, 2, 2, 2}},
            {{"Lydian #5 Pentatonic", "Lydian Augmented Pentatonic"}, {4, 2, 2, 3, 1}},
            {{"Minor #7 Pentatonic", "Minor Major 7th Pentatonic"}, {3, 2, 2, 4, 1}},
            {{"Altered Pentatonic", "Super Locrian Pentatonic"}, {3, 1, 2, 4, 2}},
            {{"Neapolitan Major Pentatonic"}, {4, 1, 1, 4, 2}},
            {{"Chromatic", "Twelve-Tone"}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
            {{"Tritone"}, {1, 3, 2, 1, 3, 2}},
            {{"Bebop Dominant", "Bebop Mixolydian", "Bebop Seventh", "Bebop Scale"},
             {2, 2, 1, 2, 2, 1, 1, 1}},
            {{"Bebop Major", "Bebop Ionian", "Major 6th Diminished"}, {2, 2, 1, 2, 1, 1, 2, 1}},
            {{"Bebop Dorian", "Bebop Minor"}, {2, 1, 1, 1, 2, 2, 1, 2}},
            {{"Bebop Melodic Minor", "Bebop Jazz Minor", "Minor 6th Diminished"},
             {2, 1, 2, 2, 1, 1, 2, 1}},
            {{"Bebop Harmonic Minor", "Bebop Natural Minor"}, {2, 1, 2, 2, 1, 2, 1, 1}},
            {{"Bebop Locrian", "Half-Diminished Bebop"}, {1, 2, 2, 1, 1, 1, 2, 2}},
            {{"Hungarian Minor", "Gypsy Minor", "Double Harmonic Minor"}, {2, 1, 3, 1, 1, 3, 1}},
            {{"Hungarian Major", "Lydian Dominant #2"}, {3, 1, 2, 1, 2, 1, 2}},
            {{"Hungarian Gypsy"}, {2, 1, 3, 1, 1, 2, 2}},
            {{"Double Harmonic Major", "Byzantine", "Arabic", "Gypsy Major", "Hijaz Kar",
              "Bhairav Thaat"},
             {1, 3, 1, 2, 1, 3, 1}},
            {{"Double Harmonic Lydian", "Purvi Thaat"}, {1, 3, 2, 1, 1, 3, 1}},
            {{"Neapolitan Minor", "Harmonic Minor b2"}, {1, 2, 2, 2, 1, 3, 1}},
            {{"Persian", "Double Harmonic b5"}, {1, 3, 1, 1, 2, 3, 1}},
            {{"Oriental"}, {1, 3, 1, 1, 3, 1, 2}},
            {{"Romanian Major"}, {1, 3, 2, 1, 2, 1, 2}},
            {{"Spanish Eight-Tone", "Spanish 8-Tone"}, {1, 2, 1, 1, 2, 1, 2, 2}},
            {{"Ichikosucho"}, {2, 2, 1, 1, 1, 2, 2, 1}},
            {{"Prometheus", "Mystic"}, {2, 2, 2, 3, 1, 2}},
            {{"Prometheus Neapolitan"}, {1, 3, 2, 3, 1, 2}},
            {{"Scriabin"}, {1, 3, 3, 2, 3}},
            {{"Enigmatic", "Scala Enigmatica"}, {1, 3, 2, 2, 2, 1, 1}},
            {{"Mystery #1"}, {1, 3, 2, 2, 2, 2}},
            {{"Augmented Heptatonic"}, {3, 1, 1, 2, 1, 3, 1}},
            {{"Piongio"}, {2, 3, 2, 2, 1, 2}},
            {{"Hirajoshi", "Hira-joshi"}, {2, 1, 4, 1, 4}},
            {{"Kumoi", "Flat Three Pentatonic"}, {2, 1, 4, 2, 3}},
            {{"In", "Miyako-bushi", "Sakura Pentatonic", "Kumoi-joshi"}, {1, 4, 2, 1, 4}},
            {{"In Sen", "Insen", "Kokin-joshi"}, {1, 4, 2, 3, 2}},
            {{"Iwato", "Iwato Pentatonic"}, {1, 4, 1, 4, 2}},
            {{"Pelog"}, {1, 2, 4, 1, 4}},
            {{"Vietnamese", "Vietnamese 1"}, {3, 2, 2, 1, 4}},
            {{"Todi Raga", "Todi Thaat"}, {1, 2, 3, 1, 1, 3, 1}},
            {{"Purvi Raga"}, {1, 3, 1, 1, 1, 1, 3, 1}},
            {{"Marva Raga", "Marwa", "Marva Thaat"}, {1, 3, 2, 1, 2, 2, 1}},
            {{"Hamsadhwani"}, {2, 2, 3, 4, 1}},
        };
        for (const auto& [names, steps] : single)
            for (const std::string& n : names)
                t[n] = fromSteps(steps);
        return t;
    }();
    return table;
}

} // namespace

std::optional<std::vector<FormulaToken>> parseFormula(std::string_view formula,
                                                      std::string* error) {
    auto fail = [&](std::string message) -> std::optional<std::vector<FormulaToken>> {
        if (error)
            *error = std::move(message);
        return std::nullopt;
    };
    if (formula.empty())
        return fail("the formula is empty");
    std::vector<FormulaToken> tokens;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(formula.find(';', start), formula.size());
        const std::string_view text = formula.substr(start, end - start);
        if (text.empty())
            return fail("note " + std::to_string(tokens.size() + 1) + " is empty");
        const int accidental = accidentalOf(text.front());
        const std::string_view digits = accidental != 0 ? text.substr(1) : text;
        const bool allDigits =
            !digits.empty() && digits.size() <= 2 &&
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!allDigits)
            return fail("\"" + std::string(text) +
                        "\" is not a degree (an optional f, b, # or x and a number 1 to 14)");
        const int degree = std::stoi(std::string(digits));
        if (degree < 1 || degree > 14)
            return fail("degree " + std::to_string(degree) + " lies outside 1 to 14");
        tokens.push_back({std::string(text), accidental, degree, semitonesOf(text)});
        if (end == formula.size())
            break;
        start = end + 1;
    }
    if (tokens.size() > 13)
        return fail("it has " + std::to_string(tokens.size()) + " notes, at most 13 are allowed");
    if (tokens.front().text != "1")
        return fail("the first note must be the root \"1\"");
    return tokens;
}

std::set<int> pitchClasses(const std::vector<FormulaToken>& tokens) {
    std::set<int> pcs;
    for (const FormulaToken& t : tokens)
        pcs.insert(t.pitchClass());
    return pcs;
}

std::vector<std::string> formulaWritingFaults(const std::vector<FormulaToken>& tokens) {
    std::vector<std::string> faults;
    for (size_t i = 1; i < tokens.size(); ++i) {
        const FormulaToken& a = tokens[i - 1];
        const FormulaToken& b = tokens[i];
        if (b.semitones <= a.semitones)
            faults.push_back("\"" + b.text + "\" does not lie above \"" + a.text +
                             "\"; notes must ascend");
        const int letterA = (a.degree - 1) % 7 + (a.degree > 7 ? 7 : 0);
        const int letterB = (b.degree - 1) % 7 + (b.degree > 7 ? 7 : 0);
        if (letterB < letterA)
            faults.push_back("degree " + std::to_string(b.degree) + " follows degree " +
                             std::to_string(a.degree) + "; the letters go backwards");
    }
    std::set<int> seen;
    for (const FormulaToken& t : tokens)
        if (!seen.insert(t.pitchClass()).second)
            faults.push_back("\"" + t.text + "\" repeats a note of the formula");
    for (const RootTab& root : RootTabs) {
        for (const FormulaToken& t : tokens) {
            const int letter = (root.letter + t.degree - 1) % 7;
            const int wanted = (root.pitchClass + t.semitones) % 12;
            const int accidental = ((wanted - LetterPitch[size_t(letter)] + 18) % 12) - 6;
            if (accidental < -2 || accidental > 2) {
                faults.push_back("on the root " + std::string(root.name) + " \"" + t.text +
                                 "\" needs more than a double sharp or flat");
                break;
            }
        }
    }
    return faults;
}

int chordSymbolNumber(std::string_view name) {
    size_t i = 0;
    const auto eat = [&](std::string_view part) {
        if (name.substr(i, part.size()) != part)
            return false;
        i += part.size();
        return true;
    };
    if (!eat("dim") && !eat("aug") && name.substr(0, 3) != "maj")
        eat("m");
    eat("(");
    eat("maj");
    int n = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9')
        n = n * 10 + (name[i++] - '0');
    return n;
}

std::set<std::string> omissibleTokens(const std::vector<FormulaToken>& tokens,
                                      std::string_view name) {
    std::set<std::string> out;
    const auto has = [&](const char* text) {
        return std::any_of(tokens.begin(), tokens.end(),
                           [&](const FormulaToken& t) { return t.text == text; });
    };
    // "(b6)" stands beside the 5th: Cm(maj7)(b6) without its G is Cm(maj7)b6.
    if (has("5") && tokens.size() >= 4 && name.find("(b6)") == std::string_view::npos)
        out.insert("5");
    const int number = chordSymbolNumber(name);
    if (has("9") && number >= 11)
        out.insert("9");
    if (has("11") && number >= 13)
        out.insert("11");
    return out;
}

std::optional<std::vector<std::string>> formulaOfChordName(std::string_view name) {
    if (name == "5")
        return std::vector<std::string>{"1", "5"};
    if (name == "quartal") // two 4ths stacked on the root and a third on top
        return std::vector<std::string>{"1", "4", "b7", "b10"};
    size_t i = 0;
    auto eat = [&](std::string_view part) {
        if (name.substr(i, part.size()) != part)
            return false;
        i += part.size();
        return true;
    };
    auto number = [&] {
        int n = 0;
        while (i < name.size() && name[i] >= '0' && name[i] <= '9')
            n = n * 10 + (name[i++] - '0');
        return n;
    };

    std::string third = "3";
    std::string fifth = "5";
    std::string sixth;
    std::string seventh;
    std::set<int> extensions;           // natural 9, 11, 13
    std::map<int, std::string> altered; // 9, 11, 13 -> "b9", "#11", "b13"
    std::vector<std::string> added;
    bool diminished = false;
    if (eat("dim")) {
        third = "b3";
        fifth = "b5";
        diminished = true;
    } else if (eat("aug")) {
        fifth = "#5";
    } else if (name.substr(0, 3) != "maj" && eat("m")) {
        third = "b3";
    }
    // A 13th chord carries the 11th only over a minor 3rd; over a major 3rd or a 4th the 11th
    // is the note that chord symbols leave out.
    auto extend = [&](int n) {
        // The natural 11th lies a minor 9th above a major 3rd: an 11th chord leaves the 3rd
        // out (C11 is C F G Bb D); a chord that keeps both is an add11 chord.
        if (n == 11 && third == "3")
            third.clear();
        if (n >= 9)
            extensions.insert(9);
        if (n == 11 || (n == 13 && third == "b3"))
            extensions.insert(11);
        if (n >= 13)
            extensions.insert(13);
    };
    const bool bracket = eat("(maj");
    if (bracket || eat("maj")) {
        const int n = number();
        if (n == 0 && !bracket && i == name.size() && name == "maj")
            return std::vector<std::string>{"1", "3", "5"};
        if (n != 7 && n != 9 && n != 11 && n != 13)
            return std::nullopt;
        seventh = "7";
        extend(n);
        if (bracket && !eat(")"))
            return std::nullopt;
    } else if (i < name.size() && name[i] >= '0' && name[i] <= '9') {
        const int n = number();
        if (n == 6) {
            sixth = "6";
            if (eat("/9"))
                extensions.insert(9);
        } else if (n == 7 || n == 9 || n == 11 || n == 13) {
            seventh = diminished && n == 7 ? "f7" : "b7";
            extend(n);
        } else {
            return std::nullopt;
        }
    }
    while (i < name.size()) {
        if (eat("sus2sus4")) {
            third.clear();
            added.push_back("2");
            added.push_back("4");
        } else if (eat("sus2")) {
            third = "2";
        } else if (eat("sus4")) {
            third = "4";
        } else if (eat("(add9)") || eat("add9")) {
            added.push_back("9");
        } else if (eat("(add11)") || eat("add11")) {
            added.push_back("11");
        } else if (eat("add#11")) {
            added.push_back("#11");
        } else if (eat("(add13)")) {
            added.push_back("13");
        } else if (eat("(add#9)")) {
            added.push_back("#9");
        } else if (eat("(addb9)") || eat("addb9")) {
            added.push_back("b9");
        } else if (eat("(maj7)")) { // a major 7th over the diminished 7th's
            added.push_back("7");
        } else if (eat("(no11)")) {
            extensions.erase(11);
        } else if (eat("b9#9")) { // both 9ths
            altered[9] = "b9";
            added.push_back("#9");
        } else if (eat("(b6)")) {
            added.push_back("b6");
        } else if (eat("b6")) { // in place of the 5th: Am7b6 is A C F G
            fifth.clear();
            added.push_back("b6");
        } else if (eat("(b5)") || eat("b5")) {
            fifth = "b5";
        } else if (eat("#5")) {
            fifth = "#5";
        } else if (eat("b9")) {
            altered[9] = "b9";
        } else if (eat("#9")) {
            altered[9] = "#9";
        } else if (eat("#11")) {
            altered[11] = "#11";
        } else if (eat("b13")) {
            altered[13] = "b13";
        } else {
            return std::nullopt;
        }
    }

    std::vector<std::string> tokens = {"1"};
    for (const std::string& t : {third, fifth, sixth, seventh})
        if (!t.empty())
            tokens.push_back(t);
    for (int degree : {9, 11, 13}) {
        const auto alt = altered.find(degree);
        if (alt != altered.end())
            tokens.push_back(alt->second);
        else if (extensions.count(degree))
            tokens.push_back(std::to_string(degree));
    }
    tokens.insert(tokens.end(), added.begin(), added.end());
    std::stable_sort(tokens.begin(), tokens.end(), [](const std::string& a, const std::string& b) {
        return semitonesOf(a) < semitonesOf(b);
    });
    return tokens;
}

std::optional<std::set<int>> referenceScale(std::string_view name) {
    const auto& table = scaleReferences();
    if (const auto it = table.find(name); it != table.end())
        return it->second;
    // "Dorian Mode" is the Dorian scale.
    constexpr std::string_view modeWord = " Mode";
    if (name.size() > modeWord.size() && name.substr(name.size() - modeWord.size()) == modeWord) {
        const auto it = table.find(name.substr(0, name.size() - modeWord.size()));
        return it == table.end() ? std::nullopt : std::optional(it->second);
    }
    // "Fifth Mode of Major Pentatonic" is that scale started on its fifth note.
    constexpr std::array<std::string_view, 9> ordinals = {
        "First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth", "Ninth"};
    constexpr std::string_view modeOf = " Mode of ";
    const size_t at = name.find(modeOf);
    if (at == std::string_view::npos)
        return std::nullopt;
    const auto ordinal = std::find(ordinals.begin(), ordinals.end(), name.substr(0, at));
    const auto base = table.find(name.substr(at + modeOf.size()));
    if (ordinal == ordinals.end() || base == table.end())
        return std::nullopt;
    const size_t step = size_t(ordinal - ordinals.begin());
    if (step >= base->second.size())
        return std::nullopt;
    const int newRoot = *std::next(base->second.begin(), std::ptrdiff_t(step));
    std::set<int> mode;
    for (int pc : base->second)
        mode.insert((pc - newRoot + 12) % 12);
    return mode;
}

std::string noteName(int pitchClass) {
    static const std::array<const char*, 12> names = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                      "Gb", "G",  "Ab", "A",  "Bb", "B"};
    return names[size_t(((pitchClass % 12) + 12) % 12)];
}

std::string ordinalText(int n) {
    const char* suffix = n == 1 ? "st" : n == 2 ? "nd" : n == 3 ? "rd" : "th";
    return std::to_string(n) + suffix;
}

} // namespace chordalis
