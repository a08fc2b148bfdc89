#pragma once

#include "app/LoopNotes.h"
#include "app/LoopPlayer.h"
#include "app/ProgressionExport.h"
#include "fretboard/ChordBox.h"
#include "progressions/Chart.h"
#include "progressions/Keys.h"
#include "progressions/Progression.h"
#include "progressions/Voicer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace chordalis {

class Program;

// A chord of the key as its button shows it.
struct KeyChordButton {
    QString numeral;  // "ii7", "V7/vi", "bVII"
    QString symbol;   // "Dm7"
    QString function; // "tonic", "subdominant", "dominant"; empty for a secondary or borrowed one
    QString notes;    // "D F A C"
    KeyChord::Kind kind = KeyChord::Kind::Diatonic;
};

// The page's choices as the settings keep them (section Progressions); the defaults are what a
// first start shows.
struct ProgressionChoices {
    KeyMode mode = KeyMode::Major;
    bool sevenths = false; // the key's buttons show triads
    VoicingStyle style = VoicingStyle::Any;
    std::optional<std::pair<int, int>> region; // frets low..high; nothing: the whole neck
    StrumPattern pattern = StrumPattern::Quarters;
    BassPattern bass = BassPattern::None;
    bool drums = false;
    bool countIn = true;
    QString text;        // the progression last shown; empty: the library's first
    int beatsPerBar = 4; // its meter, 1..12
    friend bool operator==(const ProgressionChoices&, const ProgressionChoices&) = default;
};

// What the progressions page shows; the window copies it into its controls.
struct ProgressionsPage {
    QString lblKey; // "C Major: C D E F G A B"
    std::vector<KeyChordButton> keyChords;
    QStringList cboProgressions; // the library's, "Blues: Twelve-bar blues", in file order
    int chosenProgression = -1;  // the one whose chords the field holds, or -1
    QString txtProgression;      // as the user wrote it or the library gives it
    QString lblProgressionError; // the reader's refusal naming the token; empty when read
    // Per chord, in playing order: its box (numbered by its place, 0..), what stands over it
    // (the numeral as written, empty for a chord symbol), its symbol in this key and its bar.
    std::vector<ChordBox> boxes;
    QStringList numerals;
    QStringList symbols;
    std::vector<int> bars;
    int beatsPerBar = 4;
    int current = -1; // the chord the neck shows, -1 none
    bool playing = false;
    QString lblVoicing; // what the voicer could not do, or its cost
    // The capo that turns the progression into open shapes, where one does and no capo is on:
    // "With a capo at fret 3 these open shapes play it: G C D."; else empty.
    QString lblCapo;
};

// What the progressions page does: the key of the root tab in a chosen mode and its chords, a
// progression from the library or typed, voiced by the voicer under a style and fret region,
// each chord shown on the neck (and the LED guitar) as it is clicked or sounds, and its loop
// played at the metronome's tempo through the program's output. The window shows the page and
// calls these; tests drive them headless.
class ProgressionSession {
public:
    // Plays through the program's output on its clock.
    ProgressionSession(Program& program, MidiOut& out, Clock& clock);
    ProgressionSession(const ProgressionSession&) = delete;
    ProgressionSession& operator=(const ProgressionSession&) = delete;

    // The page is shown: the key of the root tab, the progression voiced, its current chord on
    // the neck. The library's progressions are read at the first call.
    void enter();
    // Another page is shown: a loop plays on, but leaves the neck to that page.
    void leave() { m_shown = false; }
    // A root tab was chosen while the page is up: the key and the progression move to it.
    void rootChanged();

    void setMode(KeyMode mode);
    KeyMode mode() const { return m_mode; }
    // Which of the key's chords its buttons show.
    void setSevenths(bool sevenths);
    void setSecondaryDominants(bool shown);
    void setBorrowed(bool shown);
    bool sevenths() const { return m_sevenths; }
    bool secondaryDominants() const { return m_secondary; }
    bool borrowed() const { return m_borrowed; }
    // A chord button: its first grip (as the chords page lists it) on the neck; play strums it.
    void showKeyChord(int index);
    void playKeyChord(int index);

    // A library progression (its index in cboProgressions): its chords, mode and meter.
    void chooseProgression(int index);
    // Typed chords: read in the key; a refusal is shown on the page and the chords read last
    // stay. Returns whether the text was read.
    bool enterText(const QString& text);

    void setStyle(VoicingStyle style);
    VoicingStyle style() const { return m_constraints.style; }
    // The frets every fretted note keeps to, low..high within the neck; nothing: the whole neck.
    void setRegion(std::optional<std::pair<int, int>> region);

    // A chord box: that chord's grip on the neck.
    void showChord(int index);
    // The pedal's steps: the chord `steps` after the one shown (before it when negative), round
    // the progression's end.
    void stepChord(int steps);
    // Whether the page is up (between enter and leave).
    bool shown() const { return m_shown; }

    // Writes the progression as the page shows and plays it (one pass of its loop for MIDI),
    // replacing the file only when the whole of it was written. The reason it could not (no
    // progression read, the file's problem), or an empty text.
    QString exportTo(ChartFormat format, const QString& path) const;

    // The choices to keep, and those kept restored (before the page is first shown; a text the
    // page cannot read then gives way to the library's first progression).
    ProgressionChoices choices() const;
    void restore(const ProgressionChoices& choices);
    std::optional<std::pair<int, int>> region() const;

    void setPattern(StrumPattern pattern) { m_loopOptions.pattern = pattern; }
    void setBass(BassPattern bass) { m_loopOptions.bass = bass; }
    void setDrums(bool on) { m_loopOptions.drums = on; }
    void setCountIn(bool on) { m_countIn = on; }
    const LoopOptions& loopOptions() const { return m_loopOptions; }
    bool countIn() const { return m_countIn; }
    // Play: the loop at the metronome's tempo, with its count-in (none when the metronome runs:
    // the loop then begins on its next beat); again, or Stop, stops it.
    void play();
    void stop();
    // The voiced progression as the exports write it, titled by the library progression chosen,
    // at the metronome's tempo (within the chart's range).
    ProgressionChart chart() const;
    // The metronome's tempo changed (or may have): a loop that plays takes it from its next beat.
    // True when the loop's tempo changed.
    bool followTempo();
    // The loop Play would play now, with the playback and metronome settings.
    LoopNotes loop() const;
    LoopPlayer& player() { return m_player; }

    const ProgressionsPage& page() const { return m_page; }
    const std::vector<LibraryProgression>& library() const { return m_library; }
    // The voiced progression: its chords in this key, the grips weighed and the choice.
    const std::optional<Progression>& progression() const { return m_progression; }
    const std::vector<VoicerChord>& grips() const { return m_grips; }
    const VoicedProgression& voiced() const { return m_voiced; }

    // Called when the page or the neck changed by itself (a chord of the loop sounds).
    std::function<void()> changed;

private:
    void makeKeyButtons();
    // Reads the text again in the key, moves it to the root tab, voices it and makes the boxes.
    void rebuild();
    void voice();
    // The capo suggestion under the boxes (`lblCapo`).
    void nameCapo();
    void drawCurrent();
    const Voicing* gripOf(int index) const;
    std::vector<Voicing> keyChordGrips(int index) const;

    Program& m_program;
    std::vector<LibraryProgression> m_library;
    bool m_libraryRead = false;
    KeyMode m_mode = KeyMode::Major;
    bool m_sevenths = false;
    bool m_secondary = false;
    bool m_borrowed = false;
    Key m_key;
    std::vector<KeyChord> m_shownKeyChords; // in the order of the page's buttons
    QString m_text;
    int m_textTab = 1; // the root tab the text was read in: a root change moves it from there
    int m_beats = 4;
    std::optional<Progression> m_progression;
    std::vector<VoicerChord> m_grips;
    VoicedProgression m_voiced;
    VoicerConstraints m_constraints;
    LoopOptions m_loopOptions;
    bool m_countIn = true;
    bool m_shown = false;
    ProgressionsPage m_page;
    LoopPlayer m_player;
};

} // namespace chordalis
