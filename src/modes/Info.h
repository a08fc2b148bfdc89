#pragma once

#include "modes/Pages.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace chordalis {

class IniReader;

// The information pages of chords, arpeggios, scales and triads: which files an item's page
// uses, and what the information window shows.

// The mode key of a page's Info button ("chord", "arpeggio", "scale", "triad"), empty for the
// pages without one.
QString infoModeKey(Mode mode);
// The item whose information that button shows (the page's selection, -1 for none).
int infoItem(const AppState& state, Mode mode);

// The keys "info" (the stem of the item's text and example files) and "examples" of an item:
// chords and arpeggios read chord.ini, scales scale.ini and triads triad.ini, in the section
// named by the item's number. Both are empty for another mode key.
struct InfoKeys {
    QString stem;
    QString examples;
};
InfoKeys readInfoKeys(IniReader& ini, const QString& modeKey, int item);

// An entry of the example list with the example file it plays ("chord_major_2g.emd").
struct ExampleEntry {
    QString caption;
    QString file;
    friend bool operator==(const ExampleEntry&, const ExampleEntry&) = default;
};

// The example list for an "examples" value: for n = 1 up to its leading number, stem_n.emd and
// its bass-and-drums version stem_ng.emd, at most 99 sequences; then, when the value ends with
// "*", the pedal grooves P01.emd .. P06.emd. Each is captioned by nameOf(file stem) ("Swing
// ii-V-I with piano, bass and drums (138 bpm)"); where that gives nothing, "Sequence n",
// "Sequence n (bass and drums only)" and "Pedal Groove #k".
using ExampleNames = std::function<QString(const QString& fileStem)>;
std::vector<ExampleEntry> exampleEntries(const QString& stem, const QString& examples,
                                         const ExampleNames& nameOf = {});
// The names of examples.ini in the program folder, section "names", key the file stem.
ExampleNames exampleNamesFrom(IniReader& ini);

// Whether a name from the data files may be used as a file name in its folder: no path
// separator, no "..", no control character. Anything else opens nothing.
bool isPlainFileName(const QString& name);

// The paths of an item's text ("system/<stem>.txt") and of an example ("midi/<file>") in the
// program folder.
QString infoTextPath(const QString& programFolder, const QString& stem);
QString examplePath(const QString& programFolder, const QString& file);

// An example file (".emd") turned into the MIDI file it stands for: the first 14 bytes as they
// are, then the remaining bytes in reverse order. Nothing for a file shorter than 14 bytes.
std::optional<QByteArray> decodeExample(const QByteArray& emd);

// "ERROR: I cannot find the file: " and the full path on the next line.
QString cannotFindMessage(const QString& path);
// The message when the desktop has no program that opens a document or address.
QString noViewerMessage(const QString& pathOrAddress);

// The information text of an item, as its file holds it, or why it cannot be shown.
struct InfoText {
    QString path;
    QString text;
    QString error; // the message for the user; empty when the text was read
};
// A stem that is no plain file name, or a text file that does not exist, gives the
// cannot-find message for the path.
InfoText readInfoText(const QString& programFolder, const QString& stem);

// The play state of the information window.
enum class ExamplePlayState { Stopped = 0, Playing = 1, Paused = 2 };

// frmInfo: what the information window shows. Field names are the controls' names.
struct InfoPage {
    static constexpr const char* Caption = "Information and Examples";

    // The item's information on the chosen root: its title ("C# Major 7th chord (C#maj7)"),
    // the document the window shows, and txtInfo, that document's plain text.
    QString title;
    QString html;
    QString txtInfo;
    // The neck as the page showed the item when Info was pressed (the document's InfoNeckImage).
    QImage neckPicture;
    // The first grips as chord boxes (the document's InfoBoxesImage); null for a scale.
    QImage boxesPicture;
    // The root's distance above C in semitones (0..11): every example is moved up by it.
    int transpose = 0;
    // Why the examples cannot sound (no output could be opened); empty when they can.
    QString soundProblem;
    std::vector<ExampleEntry> cboInfo;
    int cboInfoIndex = -1; // the chosen entry, -1 for none
    QString txtStem;
    // Enabled states of the buttons.
    bool cmdPlay = false;
    bool cmdPause = false;
    bool cmdReset = false;
    ExamplePlayState playState = ExamplePlayState::Stopped;
    bool exampleLoaded = false;

    // The buttons for a play state: Play while not playing (when there is something to play),
    // Pause while playing, Reset unless stopped at the start.
    void setPlayState(ExamplePlayState state) {
        playState = state;
        cmdPlay = exampleLoaded && state != ExamplePlayState::Playing;
        cmdPause = exampleLoaded && state == ExamplePlayState::Playing;
        cmdReset = exampleLoaded && state != ExamplePlayState::Stopped;
    }
};

} // namespace chordalis
