#pragma once

#include "fretboard/Fretboard.h"
#include "modes/AppState.h"
#include "practice/Questions.h"

#include <QPointF>
#include <optional>
#include <vector>

namespace chordalis {

// The place a press on the neck answers with, read as the chord finder reads a press: the
// string under it and the fret it sounds at, the open string being fret 0 (the capo's fret on a
// string under a capo, where the nut and the frets behind the capo also play it open). Nothing
// outside the strings or past the last fret.
std::optional<NeckPlace> practicePlaceAt(const AppState& state, QPointF surfacePos);

// Adds the place to those chosen, or takes it away when it is chosen already.
void togglePlace(std::vector<NeckPlace>& chosen, NeckPlace place);

// Draws a question on the neck and hands its LED frame on: the position window a question asks
// about, the place to be named as a root-coloured square, and the places the player has chosen
// so far as chord-coloured circles. Nothing of the answer is drawn. A run's places are drawn in
// the scale colour, the one sounding now (`sounding`, an index into the places; -1 none) in the
// root colour, and the guitar lights only that one, so that a player can follow it.
void drawQuestion(Fretboard& board, const Question& question, const std::vector<NeckPlace>& chosen,
                  int sounding = -1);

// Which of a run's `places` notes sounds `seconds` after its start at `tempo` beats a minute, one
// note a beat, up through the places and down again: -1 during the first beat (the count-in),
// then an index into the places; nothing once the run is over.
std::optional<int> runNoteAt(double seconds, int tempo, int places);

} // namespace chordalis
