#pragma once

#include "modes/AppState.h"

#include <QMap>
#include <QStringList>

class QSettings;

namespace chordalis {

// The settings store: sections Midi, Colour, Tuning, Fretboard, Metronome (read at start-up,
// written at exit) and Fretlight (written only); and the window's own choices of what it adds to
// the neck and how runs play, in the sections View and Playback, and the listening input and the
// tuner's A4 in Listen (read and written likewise). Every
// value is stored as text; the boolean as "True"/"False". A stored text that is not a number, or a
// number outside the field's range, gives the default or is clamped into range: a hand-edited store
// never stops the program.
//
// The program uses QSettings in its native per-user form, organisation and application
// "Chordalis"; tests pass a QSettings on a file of their own.
void readSettings(QSettings& store, AppState& state);
void writeSettings(QSettings& store, const AppState& state);

// The text of every key of the store ("Midi/Volume" to "100"), as writeSettings writes it.
using SettingsTexts = QMap<QString, QString>;
SettingsTexts settingsTexts(const AppState& state);
// Writes only the keys whose text differs from `asRead` (the texts of the state as it was read
// at start-up), and those the store does not hold yet: a key another instance changed meanwhile
// keeps its change unless this one changed the same key. Returns the keys written, sorted.
QStringList writeChangedSettings(QSettings& store, const AppState& state,
                                 const SettingsTexts& asRead);

// The stored words of the choices, as the View and Playback sections keep them.
QString labelsName(MarkerLabels labels);          // "Fingers", "Notes", "Intervals"
QString fretNumbersName(FretNumbers fretNumbers); // "None", "Inlays", "Every Fret"
QString runName(RunRoute run);                    // "One Octave", "As Shown"
QString themeName(Theme theme);                   // "System", "Light", "Dark"
// "Desktop", "JACK", "JACK MIDI", "ALSA MIDI"
QString listenSourceName(ListenSource source);

} // namespace chordalis
