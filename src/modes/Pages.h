#pragma once

#include "fretboard/ChordBox.h"
#include "modes/AppState.h"
#include "modes/TreeModel.h"
#include "theory/Positions.h"

#include <QString>
#include <array>
#include <vector>

namespace chordalis {

// What the mode pages of the main window show. Display routines write here; the window copies
// it into its controls. Field names are the controls' names. A PositionList holds both the
// drop-down list (cbo...) and the state of its option pair (opt...).

struct ChordsPage {
    TreeModel tvwChords;
    TreeModel tvwVoicings;
    QString lblChordName;
    QString lblChordNameVerbose;
    QString lblChordFormula;
    QString lblChordNotes;
    QString txtChordSymbols;
    QString lblVoicingMemo;
    // Every listed voicing as a chord box, in the order of tvwVoicings, numbered as the voicing.
    std::vector<ChordBox> boxes;

    // The labels with no chord chosen.
    void showNoChord() {
        lblChordName = QStringLiteral("No Chord Selected");
        lblChordNameVerbose.clear();
        lblChordFormula.clear();
        lblChordNotes.clear();
        txtChordSymbols.clear();
        lblVoicingMemo = QStringLiteral("Notes:");
        boxes.clear();
    }
};

struct ScalesPage {
    TreeModel tvwScales;
    QString lblScaleName;
    QString lblScaleFormula;
    QString lblScaleNotes;
    QString txtAltScaleNames;
    PositionList cboScalePositions; // with optScalePositions
    // Each position of the list (all but "All Positions") as a box of its fret window, in list
    // order, numbered as the list's entry.
    std::vector<ChordBox> boxes;

    void showNoScale() {
        boxes.clear();
        lblScaleName = QStringLiteral("No Scale Selected");
        lblScaleFormula.clear();
        lblScaleNotes.clear();
        txtAltScaleNames.clear();
    }
};

struct ArpeggiosPage {
    TreeModel tvwArps;
    QString lblArpName;
    QString lblArpFormula;
    QString lblArpNotes;
    PositionList cboArpPositions; // with optArpPositions

    void showNoArpeggio() {
        lblArpName = QStringLiteral("No Arpeggio Selected");
        lblArpFormula.clear();
        lblArpNotes.clear();
    }
};

// The notes page has no controls of its own in the reference layout; it names the note and says
// where it lies on each string, so the page is not an empty panel.
struct NotesPage {
    QString lblNoteName;   // "Note: C"
    QString lblNotePlaces; // one line per string, 6th first: "6th string (E): 8"
};

struct TriadsPage {
    TreeModel tvwTriads;
    TreeModel tvwStringGroup;
    QString lblTriadName;
    QString lblTriadFormula;
    QString lblTriadNotes;
    // The triad's shape on each string group the neck has, as chord boxes in the order of
    // tvwStringGroup, numbered as the group; a group without a shape has none.
    std::vector<ChordBox> boxes;

    void showNoTriad() {
        lblTriadName = QStringLiteral("No Triad Selected");
        boxes.clear();
        lblTriadFormula.clear();
        lblTriadNotes.clear();
    }
};

struct ChordScalePage {
    TreeModel tvwCSChords;
    TreeModel tvwCSScales;
    QString lblCSChordName;
    QString lblCSChordFormula;
    QString lblCSChordNotes;
    QString lblCSScaleName;
    QString lblCSScaleFormula;
    QString lblCSScaleNotes;
    PositionList cboCSPositions; // with optCSPositions

    void showNoChord() {
        lblCSChordName = QStringLiteral("No Chord Selected");
        lblCSChordFormula.clear();
        lblCSChordNotes.clear();
    }
    void showNoScale() {
        lblCSScaleName = QStringLiteral("No Scale Selected");
        lblCSScaleFormula.clear();
        lblCSScaleNotes.clear();
    }
};

struct FinderDescription {
    QString text;
    PackedColour colour = 0;
    QString notes;  // the notes the description names, root first: "C E G Bb"
    QString symbol; // the short symbol, "E7#9" or "Cmaj/E"; empty when the library has none
};

struct FinderPage {
    // One per string, string 1 first.
    std::vector<FinderDescription> lblDescription = std::vector<FinderDescription>(6);

    const FinderDescription& description(int string) const {
        static const FinderDescription none;
        return string >= 1 && string <= int(lblDescription.size())
                   ? lblDescription[size_t(string - 1)]
                   : none;
    }
};

// The mode pages, in the order of their tabs.
enum class Mode : int {
    Chords = 0,
    Scales = 1,
    Arpeggios = 2,
    Notes = 3,
    Triads = 4,
    ChordScale = 5,
    ChordFinder = 6,
};
inline constexpr int ModeCount = 7;

struct MainPages {
    ChordsPage chords;
    ScalesPage scales;
    ArpeggiosPage arpeggios;
    NotesPage notes;
    TriadsPage triads;
    ChordScalePage chordScale;
    FinderPage finder;

    Mode mode = Mode::Chords; // the current page of tabMode
    int rootTab = 1;          // the selected root tab, 1..17
    bool lblNonStandardVisible = false;
};

} // namespace chordalis
