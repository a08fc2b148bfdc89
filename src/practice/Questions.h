#pragma once

#include "library/Libraries.h"
#include "progressions/Progression.h"
#include "theory/Neck.h"
#include "theory/Tuning.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace chordalis {

// A seeded source of whole numbers: the same seed gives the same sequence on every machine and
// compiler (the standard library's distributions do not promise that), so a session can be
// replayed from its seed.
class PracticeRandom {
public:
    explicit PracticeRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // A number in low..high inclusive; low when high < low.
    int between(int low, int high);

private:
    std::uint64_t m_state;
};

// The kinds of quiz. Each asks about items of one family and expects one kind of answer.
enum class QuizKind {
    FindOnString, // every place of a named note on one string: places
    FindInWindow, // every place of a named note in a four-fret position window: places
    FindOnNeck,   // every place of a named note on the whole neck: places
    NameNote,     // the name of the marked place: a note name
    Intervals,    // an interval played up, down or together: its name
    Qualities,    // a triad or seventh chord in an inversion: its quality
    Changes,      // a pair of chords changed for a minute: how many clean changes
    Scales,       // a scale or mode played up: its name
    Progressions, // a short progression of the library played in a key: its Roman numerals
    Runs,         // a scale or arpeggio position played along the metronome: clean or not
};

// The quiz's word on the command line and in the history ("find-string", "intervals"..), and
// back; nothing for an unknown word.
QString quizWord(QuizKind kind);
std::optional<QuizKind> quizOfWord(const QString& word);
QStringList quizWords();
// What the window's list calls the quiz: "Intervals by ear".
QString quizCaption(QuizKind kind);

// How the answer is given, and so how it is read and judged.
enum class AnswerKind { Places, NoteName, Interval, Quality, Count, ScaleName, Numerals, Clean };

// One question, ready to show, play and judge. `item` names what is scheduled: the same item is
// asked again with other details (another starting note for an interval) but is one thing the
// player learns.
struct Question {
    QuizKind quiz = QuizKind::NameNote;
    QString item;   // "find-string:3:C", "interval:up:7", "quality:m7:1", "change:C|G"
    QString prompt; // what the player is asked, in words
    AnswerKind answerKind = AnswerKind::NoteName;
    QString expected;              // the answer as the player writes it
    std::vector<NeckPlace> places; // the places to find, or the one place marked
    std::vector<int> notes;        // MIDI notes to play, in order (together for harmonic items)
    bool together = false;         // the notes sound at once
    // Chords struck one after another, each a list of MIDI notes, lowest first (progressions).
    std::vector<std::vector<int>> chords;
    FretWindow window;      // the window asked about (FindInWindow, Runs)
    int tempo = 0;          // Runs: beats a minute, one note a beat (set by the session)
    double slowSeconds = 0; // a right answer slower than this counts as slow
};

// The neck a quiz asks about.
struct QuizNeck {
    Instrument instrument;
    Capo capo;
};

// A progression of the library as the ear quiz plays it: its chords in a key whose tonic is 0,
// a chord held over several bars or written again straight after itself sounding once.
struct EarProgression {
    QString id;   // the library's section: "pop-axis"
    QString name; // "I-V-vi-IV"
    KeyMode mode = KeyMode::Major;
    QStringList numerals; // as the library writes them: "I", "V7/ii", "bVII"
    // Each chord's notes in semitones above the tonic, lowest first (the bass of a slash chord
    // first, the root below the tonic from F# up so that the chords stay in one register).
    std::vector<std::vector<int>> chords;
};

// The tempo of runs, in beats a minute, one note a beat: a position starts at RunStartTempo and
// each clean run raises it by RunTempoStep for the next, up to RunMaxTempo.
inline constexpr int RunStartTempo = 60;
inline constexpr int RunTempoStep = 4;
inline constexpr int RunMaxTempo = 240;
// The tempo of the next run of a position whose best clean run was at `best` (-1: none yet).
int runTempo(int best);

// The longest progression the ear quiz plays, in chords.
inline constexpr int EarProgressionChords = 6;

// The library's progressions the ear quiz can play: those that read in C and, with repeats
// merged, have 2..EarProgressionChords chords, in library order.
std::vector<EarProgression> earProgressions(const std::vector<LibraryProgression>& library,
                                            const SearchIndex& index, const ChordLibrary& chords);

// The items of a quiz on a neck, in a fixed order. `chords` are the chord names the Changes quiz
// pairs ("C", "Am7"..), `progressions` those the Progressions quiz plays; the other quizzes
// ignore them.
QStringList quizItems(QuizKind kind, const QuizNeck& neck, const QStringList& chords = {},
                      const std::vector<EarProgression>& progressions = {});

// The chords the changes quiz pairs: the library's first three chords (major, minor and dominant
// 7th in the shipped file) on the roots of the open chords, C D E G A ("C", "Cm", "C7"..).
QStringList changeChords(const ChordLibrary& chords);

// The question for one of the quiz's items; details left open by the item (a starting note)
// are drawn from `random`. Nothing for an item the quiz does not know.
// `progressions` holds those a "progression:<id>" item may name.
std::optional<Question> askItem(const QString& item, const QuizNeck& neck, PracticeRandom& random,
                                const std::vector<EarProgression>& progressions = {});

// An item in a player's words: "Db on string 3", "A in frets 5-8", "P5 up", "m7, 2nd
// inversion", "C to G"; the item itself when it is not one of the quizzes'.
QString describeItem(const QString& item);

// Every place of pitch class 0..11 on string 1..strings within a fret window, from the capo up
// (the capo's own fret is the string played open), lowest fret first.
std::vector<NeckPlace> placesOf(const QuizNeck& neck, int pitchClass, int string,
                                FretWindow window);

// How an answer was judged. `known` is false for an answer that cannot be read at all (it is
// then wrong, and says why in `reason`).
struct Judgement {
    bool correct = false;
    bool known = true;
    QString reason;
    int count = 0; // the Changes quiz: the changes counted
};

// The clean changes a minute that count as a pair learnt.
inline constexpr int ChangesGoal = 30;

// Judges an answer as the player writes it: places "s6f3 s4f5" (string, fret; blanks or commas
// between them, any order), a note name in either spelling ("Db", "C#"), an interval name
// ("m3", "P5", "TT") or its semitones, a quality ("maj", "m", "dim", "aug", "7", "maj7", "m7",
// "m7b5", "dim7"), a count of changes, a scale's name ("dorian", "natural minor", "Aeolian",
// "minor pentatonic"; case, blanks and hyphens aside, and a mode by any of its names), Roman
// numerals as the library writes them ("I V vi IV", "|" and commas allowed between; "o" for
// "°").
Judgement judgeAnswer(const Question& question, const QString& answer);

// Places as an answer writes them: "s6f3 s4f5" (string, fret), in the order given.
QString placesAnswer(const std::vector<NeckPlace>& places);

// The scales the ear quiz plays, by the word its items and answers use: "major", "dorian"..
// "locrian", "harmonic-minor", "melodic-minor", "major-pentatonic", "minor-pentatonic", "blues".
QStringList earScaleWords();

// The interval names for 0..12 semitones as answers use them.
QString intervalName(int semitones);

// One answer a button offers: what it shows, and the answer it gives as a player types it.
struct AnswerChoice {
    QString caption;
    QString answer;
};

// The answers a question allows, in a fixed order, for buttons: the twelve notes spelled as the
// key of root pitch class `keyRoot` in spelling column `keyColumn` spells them (its scale's
// names, the other five sharp in a sharp key, flat otherwise), the intervals m2..P8, the nine
// qualities, the scales and modes, or the numerals of the `offered` progressions in the
// question's kind of key (major or minor), each once. None for places, counts and yes or no.
std::vector<AnswerChoice> answerChoices(const Question& question, int keyRoot, int keyColumn,
                                        const std::vector<EarProgression>& offered = {});

// The places that MIDI notes played (or heard) answer a question about places: for each note
// every place within the question's reach (its string, its window, the neck above the capo)
// that sounds exactly that pitch, each once. None for other questions.
std::vector<NeckPlace> playedPlaces(const Question& question, const QuizNeck& neck,
                                    const std::vector<int>& notes);

// What MIDI notes played (or heard) answer a naming question, as a player would type it: a note
// (one pitch class, in any octaves) names a note, two notes 1..12 semitones apart an interval,
// the pitch classes of a quality on any root (any inversion or doubling) the quality. Nothing
// when the notes answer nothing (a chord played for a note, a cluster for a quality) or the
// question is not one of these.
std::optional<QString> playedName(const Question& question, const std::vector<int>& notes);

} // namespace chordalis
