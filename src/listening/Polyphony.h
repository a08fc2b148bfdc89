#pragma once

#include "listening/Fft.h"
#include "listening/Pitch.h"

#include <array>
#include <span>
#include <vector>

namespace chordalis {

// How strongly each MIDI note sounds in a stretch of sound, 0..1 relative to the strongest
// (0 for every note when nothing sounds).
struct NoteActivations {
    std::array<double, 128> strength{};
    // The notes at or above a share of the strongest (0..1), lowest first.
    std::vector<int> above(double share) const;
};

// Reads which notes sound in a stretch of sound (polyphony): the stretch's spectrum (a Hann
// window, 20 Hz..5 kHz) is explained as a non-negative sum of harmonic templates, one per note
// lowNote..highNote (MIDI), each of up to twenty partials whose weights fall as 1/h^1.5, tuned to
// a4 (Hz). The fit (multiplicative updates of a least-squares fit, with a small penalty on every
// note that keeps the answer sparse) gives each note its share; a note's octave or twelfth cannot
// take its place, because its template would put partials where none sound.
class NoteFinder {
public:
    // A stretch of windowSize samples (1024..65536) at sampleRate frames per second.
    NoteFinder(double sampleRate, int windowSize, double a4 = DefaultA4, int lowNote = 23,
               int highNote = 100);
    int windowSize() const { return m_window; }
    // Shorter stretches are padded with silence, longer ones cut. With candidates, only those
    // notes (MIDI, within the range) are fitted: a check that knows what may sound.
    NoteActivations find(std::span<const float> sound,
                         const std::vector<int>* candidates = nullptr) const;

private:
    struct Partial {
        int bin;
        double weight;
    };
    double m_rate;
    int m_window;
    int m_low;
    int m_high;
    Fft m_fft;
    int m_bins;                                    // bins considered, up to 5 kHz
    std::vector<std::vector<Partial>> m_templates; // per note from m_low, each normalised
    std::vector<double> m_gram;                    // templates against each other
    std::vector<double> m_hann;
};

// The notes of a stretch that a listener names: those at least DefaultShare as strong as the
// strongest.
inline constexpr double DefaultShare = 0.2;

} // namespace chordalis
