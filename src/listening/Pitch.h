#pragma once

#include "listening/Fft.h"

#include <memory>
#include <span>

namespace chordalis {

// The reference pitch's limits: A4 in Hz.
inline constexpr double LowestA4 = 430.0;
inline constexpr double HighestA4 = 450.0;
inline constexpr double DefaultA4 = 440.0;

// A pitch read from a frame of sound: f0 in Hz (0 when the frame has no clear pitch) and how
// clear it is, 0..1 (1 - the dip of the normalised difference function at the period).
struct PitchReading {
    double f0 = 0.0;
    double confidence = 0.0;
    bool voiced() const { return f0 > 0.0; }
};

// The nearest equal-tempered note to a frequency against a reference A4, and how far off it is.
struct NoteReading {
    int note = -1;      // MIDI note, 69 = A4
    double cents = 0.0; // -50..50
};
NoteReading nearestNote(double hz, double a4 = DefaultA4);
// The frequency of a MIDI note against a reference A4, in Hz.
double noteFrequency(double note, double a4 = DefaultA4);

// The fundamental of one frame by the difference function of YIN: the first lag whose normalised
// difference dips below the threshold, refined between samples, and then read again at the
// largest multiple of that period the frame holds, which divides the refinement's error by the
// multiple. Frequencies from minHz to maxHz (30..2000 by default: the low B of a 7-string and a
// bass's E1 to past the 24th fret of the high E). The frame must hold at least twice the longest
// period; silence (below -60 dBFS) has no pitch.
class PitchDetector {
public:
    PitchDetector(double sampleRate, int frameSize, double minHz = 30.0, double maxHz = 2000.0);
    ~PitchDetector();
    PitchDetector(const PitchDetector&) = delete;
    PitchDetector& operator=(const PitchDetector&) = delete;

    int frameSize() const { return m_frame; }
    // The frame's pitch; frame.size() must be frameSize().
    PitchReading read(std::span<const float> frame);

private:
    double m_rate;
    int m_frame;
    int m_window; // the difference function's sum runs over this many samples
    int m_minLag;
    int m_maxLag;
    Fft m_fft;
    std::vector<double> m_diff;                   // the difference function d(tau), tau 0..m_maxLag
    std::vector<double> m_normalised;             // d(tau) over its running mean
    std::vector<std::complex<double>> m_spectrum; // the transform's working space
};

} // namespace chordalis
