#pragma once

#include "library/Libraries.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace chordalis {

// The page a search result belongs on.
enum class FoundMode { Chord, Scale, Arpeggio, Note, Triad };

// The companion tool's word for the page: chord, scale, arpeggio, note or triad.
const char* foundModeWord(FoundMode mode);

// What a typed name stands for.
struct Found {
    FoundMode mode = FoundMode::Note;
    // The library number: a chord (for chords and arpeggios) 0..count-1, a scale, a triad 0..11;
    // -1 for a note.
    int item = -1;
    // The root tab 1..17 that sounds the root typed (Cb is the tab B), or 0 when the text names
    // no root: the window then keeps its own.
    int rootTab = 0;
    QString root;     // the root as typed, tidied: "Cb", "F#"; empty with rootTab 0
    int bass = -1;    // a slash chord's bass, pitch class 0..11; -1 for none
    QString bassName; // the bass as typed, tidied: "F#"
    // A text that finds this again, as the completion list offers it: "F#m7b5", "A Dorian".
    QString text;
    // The library's long name with the root as typed: "F# Half-Diminished 7th", "A Dorian".
    QString name;

    // The same place: page, item, root tab and bass.
    bool samePlace(const Found& other) const {
        return mode == other.mode && item == other.item && rootTab == other.rootTab &&
               bass == other.bass;
    }
};

// Texts longer than this (in UTF-16 units) name nothing; nothing in the library comes near.
inline constexpr qsizetype MaxSearchText = 120;

// Finds chords, scales, arpeggios, triads and notes by the names players write: chord symbols on
// any root spelling (F#m7b5, Cbmaj7, E#7, D/F#, C7(#9), C-7, CΔ7, with the library's symbols
// and common variants), scale, chord and triad names with or without a root ("dorian",
// "A dorian", "hirajoshi on E", "C Minor 7th"), "arpeggio", "triad", "scale", "chord" or "note"
// before or after a name to ask for that page, and a note name alone. Chord symbols are
// case-sensitive where players mean it (CM7 is the major 7th, Cm7 the minor 7th) and taken in any
// case where only one chord answers; names are not case-sensitive.
//
// Built once per library load; a query reads the tables only, with a few short strings of its
// own.
class SearchIndex {
public:
    SearchIndex() = default; // an empty library: finds notes only
    SearchIndex(const ChordLibrary& chords, const ScaleLibrary& scales, const TriadLibrary& triads);

    // What the text names, best first, at most `most` of them (different places only); empty
    // when it names nothing.
    std::vector<Found> find(QStringView text, int most = 1) const;

    // A completion list for a text being typed: what it names, then the chords, scales,
    // arpeggios and triads whose names begin with it (or have a word that does), at most `most`.
    std::vector<Found> complete(QStringView text, int most) const;

    // For a text that names nothing: up to `most` names near it, those it begins first, then by
    // edit distance (a swap of two letters counts one), the root typed kept ("F#m7b5" for
    // "F#m7b4"). Names too far from the text are left out, so the list may be empty.
    QStringList suggest(QStringView text, int most = 5) const;

private:
    struct Ref {
        FoundMode mode;
        int item;
        int score; // lower is better
    };
    struct Candidate;
    struct Root;

    void addSymbol(const QString& symbol, int chord);
    void addName(const QString& name, Ref ref);
    // Every reading of the text into `out`; the text tidied, or nothing when it is empty or too
    // long to name anything.
    std::optional<QString> readAll(QStringView text, std::vector<Candidate>& out) const;
    void interpret(QStringView text, int kind, std::vector<Candidate>& out) const;
    void interpretRooted(const Root& root, QStringView rest, int kind,
                         std::vector<Candidate>& out) const;
    void addNames(QStringView text, const Root* root, int kind, int extra,
                  std::vector<Candidate>& out) const;
    // The chord a symbol after the root stands for, and how closely it matched (0 exact, 1 after
    // tidying brackets and +/- alterations, 2 in another case); -1 for none.
    int chordOfSymbol(QStringView symbol, int* closeness) const;
    void addChord(int chord, const Root* root, const Root* bass, int kind, int score,
                  std::vector<Candidate>& out) const;
    void addRef(const Ref& ref, const Root* root, int kind, int score,
                std::vector<Candidate>& out) const;
    Found make(FoundMode mode, int item, const Root* root, const Root* bass) const;
    static std::vector<Found> ranked(std::vector<Candidate>& candidates, int most);

    // Chord symbols: as written, tidied, and tidied in lower case; -1 where two chords share it.
    QHash<QString, int> m_symbols;
    QHash<QString, int> m_tidySymbols;
    QHash<QString, int> m_foldedSymbols;
    // Every symbol with its chord, sorted, for completions by prefix.
    std::vector<std::pair<QString, int>> m_sortedSymbols;
    // Names by their key (lower case, letters, digits and # only).
    QHash<QString, std::vector<Ref>> m_names;
    // Name keys from each word on, sorted, for completions: the key, the name's place and whether
    // the key starts at the name's first word.
    struct NameStart {
        QString key;
        Ref ref;
        bool whole;
    };
    std::vector<NameStart> m_sortedNames;
    // Every name a refusal may suggest: chord symbols (shown after the root typed) and names.
    struct Suggestion {
        QString text;
        QString folded;
        FoundMode mode;
        int item;
        bool symbol;
    };
    std::vector<Suggestion> m_suggestions;

    std::vector<QString> m_chordNames, m_chordVerbose, m_chordFormulas;
    std::vector<QString> m_scaleNames;
    std::vector<bool> m_scaleNameTaken; // the scale's name alone would find a chord first
    std::vector<QString> m_triadNames, m_triadFormulas;
    int m_majorChord = -1; // the chord a root alone names before "/", "chord" or "arpeggio"
    int m_majorScale = -1; // the scale "C scale" names
};

} // namespace chordalis
