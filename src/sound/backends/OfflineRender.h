#pragma once

#include "sound/RecordingMidiOut.h"

#include <QString>
#include <vector>

namespace chordalis {

// Stereo 16-bit samples, interleaved.
struct RenderedSound {
    double sampleRate = 44100.0;
    std::vector<short> samples;
    int frames() const { return int(samples.size() / 2); }
};

// Plays timed messages through the built-in synthesizer without an audio device, as fast as it
// can, and returns the sound at the sample rate given (frames per second), with tailSeconds
// after the last message for notes to ring out. Null on failure, with the reason in *error.
std::optional<RenderedSound> renderMessages(const std::vector<RecordingMidiOut::Sent>& messages,
                                            double tailSeconds, QString* error,
                                            double sampleRate = 44100.0);

// Writes the sound as a WAV file (PCM, 16-bit, stereo).
bool writeWav(const RenderedSound& sound, const QString& path, QString* error);

} // namespace chordalis
