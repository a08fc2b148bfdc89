#include "app/PlayCommands.h"

#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "sound/MidiOut.h"
#include "sound/Player.h"

#include <algorithm>

namespace chordalis {

bool openMIDI(const AppState& state, MidiOut& out, MessageBoxes& boxes) {
    out.close();
    if (const auto error = out.open(state.playback.device)) {
        boxes.inform(BoxIcon::Stop, QLatin1String(MidiOpenFailure) + *error);
        return false;
    }
    return true;
}

QString playRefusal(const AppState& state, Mode mode) {
    const bool standard = state.tuning[0] == 1;
    const char* refusal = nullptr;
    switch (mode) {
    case Mode::Chords:
        if (!standard)
            refusal = "Chord playback is not supported for non-standard tunings.";
        else if (state.selectedVoicing < 0)
            refusal = "Please select a chord voicing to play.";
        break;
    case Mode::Triads:
        if (!standard)
            refusal = "Triad playback is not supported for non-standard tunings.";
        else if (state.selectedTriad < 0)
            refusal = "Please select a triad to play.";
        break;
    case Mode::ChordFinder:
        if (std::all_of(state.finderSelection.begin() + 1, state.finderSelection.end(),
                        [](int s) { return s == 0; }))
            refusal = "Please click on the fretboard to select some notes to play.";
        break;
    case Mode::Scales:
        if (state.selectedScale < 0)
            refusal = "Please select a scale to play.";
        break;
    case Mode::Arpeggios:
        if (state.selectedArpeggio < 0)
            refusal = "Please select an arpeggio to play.";
        break;
    case Mode::Notes:
    case Mode::ChordScale:
        break;
    }
    return refusal ? QString::fromLatin1(refusal) : QString();
}

void playCommand(Program& program, Player& player, Mode mode) {
    if (const QString refusal = playRefusal(program.state, mode); !refusal.isEmpty()) {
        program.boxes().inform(BoxIcon::Exclamation, refusal);
        return;
    }
    switch (mode) {
    case Mode::Chords:
        player.playChord();
        break;
    case Mode::Triads:
        player.playTriad();
        break;
    case Mode::ChordFinder:
        player.playFinder();
        break;
    case Mode::Scales:
        player.playScale();
        break;
    case Mode::Arpeggios:
        player.playArpeggio();
        break;
    case Mode::Notes:
    case Mode::ChordScale:
        break; // these pages have no Play button
    }
}

} // namespace chordalis
