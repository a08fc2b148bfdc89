#include "listening/Polyphony.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace chordalis {

namespace {

constexpr double HighestHz = 5000.0;
constexpr int Partials = 20;
// A template's partials fall as 1/h^PartialFall: between a string plucked near its middle (1/h^2)
// and one picked near the bridge (nearer 1/h). Falling as fast as a plucked string's do, a lower
// note's template leaves the partials it shares with its octave or twelfth to that note when the
// note sounds, instead of explaining them away.
constexpr double PartialFall = 1.5;
// The penalty on each note's share, against the strongest note's fit to the spectrum.
constexpr double Sparsity = 0.03;
constexpr int FitRounds = 150;

} // namespace

std::vector<int> NoteActivations::above(double share) const {
    std::vector<int> notes;
    for (int n = 0; n < 128; ++n)
        if (strength[size_t(n)] > 0.0 && strength[size_t(n)] >= share)
            notes.push_back(n);
    return notes;
}

NoteFinder::NoteFinder(double sampleRate, int windowSize, double a4, int lowNote, int highNote)
    : m_rate(sampleRate), m_window(windowSize), m_low(lowNote), m_high(highNote),
      m_fft(powerOfTwoAtLeast(std::max(2, windowSize)) * 2) {
    if (!(sampleRate > 0.0) || windowSize < 1024 || windowSize > 65536 || lowNote < 0 ||
        highNote > 127 || highNote < lowNote)
        throw std::invalid_argument("no note finder for that window or range");
    const int n = m_fft.size();
    const double binHz = m_rate / n;
    m_bins = std::min(n / 2, int(HighestHz / binHz));
    m_hann.resize(size_t(windowSize));
    for (int i = 0; i < windowSize; ++i)
        m_hann[size_t(i)] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / windowSize);
    // A partial spreads over the Hann window's main lobe: +-2 bins of the window's own length,
    // here zero-padded twice over and more.
    const double lobe = 2.0 * n / windowSize;
    const int notes = m_high - m_low + 1;
    m_templates.resize(size_t(notes));
    for (int k = 0; k < notes; ++k) {
        const double f0 = noteFrequency(m_low + k, a4);
        std::vector<double> shape(static_cast<size_t>(m_bins), 0.0);
        for (int h = 1; h <= Partials; ++h) {
            const double centre = h * f0 / binHz;
            if (centre >= m_bins - 1)
                break;
            for (int b = std::max(1, int(centre - lobe));
                 b <= std::min(m_bins - 1, int(centre + lobe) + 1); ++b) {
                const double x = (b - centre) / lobe; // -1..1 across the main lobe
                if (std::abs(x) < 1.0)
                    shape[size_t(b)] += std::pow(double(h), -PartialFall) * 0.5 *
                                        (1.0 + std::cos(std::numbers::pi * x));
            }
        }
        double norm = 0.0;
        for (double v : shape)
            norm += v * v;
        norm = std::sqrt(norm);
        for (int b = 0; b < m_bins; ++b)
            if (shape[size_t(b)] > 0.0)
                m_templates[size_t(k)].push_back({b, shape[size_t(b)] / norm});
    }
    m_gram.assign(size_t(notes * notes), 0.0);
    std::vector<double> dense(static_cast<size_t>(m_bins));
    for (int i = 0; i < notes; ++i) {
        std::fill(dense.begin(), dense.end(), 0.0);
        for (const Partial& p : m_templates[size_t(i)])
            dense[size_t(p.bin)] = p.weight;
        for (int j = 0; j < notes; ++j) {
            double dot = 0.0;
            for (const Partial& p : m_templates[size_t(j)])
                dot += dense[size_t(p.bin)] * p.weight;
            m_gram[size_t(i * notes + j)] = dot;
        }
    }
}

NoteActivations NoteFinder::find(std::span<const float> sound,
                                 const std::vector<int>* candidates) const {
    NoteActivations result;
    const int n = m_fft.size();
    std::vector<std::complex<double>> spectrum(static_cast<size_t>(n));
    const int used = std::min(int(sound.size()), m_window);
    for (int i = 0; i < used; ++i)
        spectrum[size_t(i)] = double(sound[size_t(i)]) * m_hann[size_t(i)];
    m_fft.transform(spectrum);
    std::vector<double> magnitude(static_cast<size_t>(m_bins));
    double total = 0.0;
    for (int b = 0; b < m_bins; ++b) {
        magnitude[size_t(b)] = std::abs(spectrum[size_t(b)]);
        total += magnitude[size_t(b)];
    }
    if (!(total > 1e-9) || !std::isfinite(total))
        return result;

    const int notes = m_high - m_low + 1;
    std::vector<double> numerator(static_cast<size_t>(notes)), h(static_cast<size_t>(notes), 1.0);
    if (candidates) {
        std::fill(h.begin(), h.end(), 0.0);
        for (int n : *candidates)
            if (n >= m_low && n <= m_high)
                h[size_t(n - m_low)] = 1.0;
    }
    for (int k = 0; k < notes; ++k)
        for (const Partial& p : m_templates[size_t(k)])
            numerator[size_t(k)] += p.weight * magnitude[size_t(p.bin)];
    const double penalty = Sparsity * *std::max_element(numerator.begin(), numerator.end());
    for (int round = 0; round < FitRounds; ++round) {
        for (int k = 0; k < notes; ++k) {
            double fitted = 0.0;
            const double* row = &m_gram[size_t(k * notes)];
            for (int j = 0; j < notes; ++j)
                fitted += row[j] * h[size_t(j)];
            h[size_t(k)] *= numerator[size_t(k)] / (fitted + penalty + 1e-12);
        }
    }
    // Two notes a semitone apart share a low partial's main lobe: the weaker of a pair, at less
    // than half the stronger, is that lobe's spill, not a note.
    std::vector<double> fitted = h;
    for (int k = 0; k < notes; ++k) {
        const double left = k > 0 ? fitted[size_t(k - 1)] : 0.0;
        const double right = k + 1 < notes ? fitted[size_t(k + 1)] : 0.0;
        if (std::max(left, right) > 2.0 * fitted[size_t(k)])
            h[size_t(k)] = 0.0;
    }
    const double strongest = *std::max_element(h.begin(), h.end());
    if (!(strongest > 0.0))
        return result;
    for (int k = 0; k < notes; ++k)
        result.strength[size_t(m_low + k)] = h[size_t(k)] / strongest;
    return result;
}

} // namespace chordalis
