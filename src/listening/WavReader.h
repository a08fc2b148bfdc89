#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// Sound to analyse: one channel, samples in -1..1 (a float file may go beyond), at sampleRate
// frames per second.
struct AudioClip {
    double sampleRate = 48000.0;
    std::vector<float> samples;
    double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

// Reads a WAV file's bytes: PCM of 8, 16, 24 or 32 bits or IEEE float of 32 or 64 bits (plain or
// extensible format), 1 to 8 channels (mixed down to one by their mean), 1000..768000 frames per
// second. Nothing, with the reason in *error, for anything else: not RIFF/WAVE, no format or no
// data chunk, a chunk running past the end, a format it does not read, no whole frame of sound.
// A data chunk that claims more than the file holds (a recording cut short) gives the whole frames
// that are there.
std::optional<AudioClip> readWav(const QByteArray& bytes, QString* error);

// Reads a WAV file; the error names the file and, for one that cannot be opened, why.
std::optional<AudioClip> readWavFile(const QString& path, QString* error);

// Writes mono 32-bit float WAV bytes (for tests and the benchmark's sets).
QByteArray wavBytes(const AudioClip& clip);

} // namespace chordalis
