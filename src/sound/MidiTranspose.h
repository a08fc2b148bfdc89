#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace chordalis {

// The MIDI channel (0-based) of General MIDI percussion, channel 10 as players count: its keys
// are drum sounds, never pitches, so no key change moves them.
inline constexpr int DrumChannel = 9;

// The shift in semitones for one channel whose notes span low..high (MIDI 0..127) when its music
// moves up by `semitones` (0..11, the new root's distance above the old one): either that or an
// octave lower (semitones - 12), whichever moves less (a tritone goes towards the middle of the
// keyboard), provided every note stays within 0..127 and no note goes below E1 (MIDI 28, a bass
// guitar's lowest) unless the part already reached below it. Where neither candidate keeps
// to that, the one that stays within 0..127. 0 for a shift of 0.
int channelShift(int semitones, int low, int high);

// A Standard MIDI File with its music moved up by `semitones` (0..11; other values are taken
// modulo 12): the key of every note on, note off and key pressure on each channel but the drums'
// moved by that channel's channelShift over all its notes. Everything else (timing, programs,
// controllers, meta events) stays byte for byte. Null, with a sentence for the user in *error,
// for bytes that are no MIDI file this can walk; never reads or writes outside the bytes.
std::optional<QByteArray> transposeMidiFile(const QByteArray& smf, int semitones, QString* error);

} // namespace chordalis
