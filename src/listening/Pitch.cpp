#include "listening/Pitch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace chordalis {

namespace {

// The normalised difference at the period must dip below this for the frame to count as pitched
// at the first such lag (YIN's absolute threshold), and below VoicedLimit at all.
constexpr double DipThreshold = 0.15;
constexpr double VoicedLimit = 0.35;
// Mean power below which a frame is silence: -60 dBFS.
constexpr double SilentPower = 1e-6;

// The lag of the minimum of a parabola through d at t-1, t, t+1.
double parabolicMinimum(const std::vector<double>& d, int t) {
    const double a = d[size_t(t - 1)], b = d[size_t(t)], c = d[size_t(t + 1)];
    const double denominator = a - 2.0 * b + c;
    if (denominator <= 0.0)
        return t;
    return t + std::clamp(0.5 * (a - c) / denominator, -0.5, 0.5);
}

} // namespace

NoteReading nearestNote(double hz, double a4) {
    if (!(hz > 0.0) || !(a4 > 0.0))
        return {};
    const double exact = 69.0 + 12.0 * std::log2(hz / a4);
    const int note = int(std::lround(exact));
    return {note, 100.0 * (exact - note)};
}

double noteFrequency(double note, double a4) {
    return a4 * std::exp2((note - 69.0) / 12.0);
}

PitchDetector::PitchDetector(double sampleRate, int frameSize, double minHz, double maxHz)
    : m_rate(sampleRate), m_frame(frameSize), m_window(0),
      m_minLag(std::max(2, int(std::floor(sampleRate / maxHz)))),
      m_maxLag(int(std::ceil(sampleRate / minHz))),
      m_fft(powerOfTwoAtLeast(std::max(2, frameSize))) {
    if (!(sampleRate > 0.0) || !(minHz > 0.0) || maxHz <= minHz || m_maxLag * 2 > frameSize)
        throw std::invalid_argument("the pitch frame must hold two of the longest periods");
    m_window = frameSize - m_maxLag;
    m_diff.assign(size_t(m_maxLag + 2), 0.0);
    m_normalised.assign(m_diff.size(), 1.0);
    m_spectrum.resize(size_t(m_fft.size()));
}

PitchDetector::~PitchDetector() = default;

PitchReading PitchDetector::read(std::span<const float> x) {
    if (int(x.size()) != m_frame)
        return {};
    const int n = m_fft.size();
    const int w = m_window;
    double e0 = 0.0;
    for (int j = 0; j < w; ++j)
        e0 += double(x[size_t(j)]) * x[size_t(j)];
    if (e0 / w < SilentPower)
        return {};

    // r(tau) = sum over j < w of x[j] x[j + tau], by the spectrum of the window against the frame.
    // The sum never reaches past the frame (tau + w <= frame), so a transform of the frame's own
    // length holds it without wrapping round; and both real signals go through one complex
    // transform, the window as its real part and the frame as its imaginary part.
    std::vector<std::complex<double>>& z = m_spectrum;
    for (int j = 0; j < n; ++j)
        z[size_t(j)] = {j < w ? double(x[size_t(j)]) : 0.0,
                        j < m_frame ? double(x[size_t(j)]) : 0.0};
    m_fft.transform(z);
    // With Z = A + iB: A[k] = (Z[k] + conj Z[n-k]) / 2, B[k] = (Z[k] - conj Z[n-k]) / 2i; the
    // correlation's spectrum is conj(A) B, and conj(A[n-k]) B[n-k] is its conjugate. Stored
    // conjugated, so that the forward transform below is the inverse (unscaled) of its real part.
    for (int k = 0; k <= n / 2; ++k) {
        const int m = (n - k) % n;
        const std::complex<double> zk = z[size_t(k)], zm = std::conj(z[size_t(m)]);
        const std::complex<double> ak = 0.5 * (zk + zm);
        const std::complex<double> d = zk - zm;
        const std::complex<double> bk{0.5 * d.imag(), -0.5 * d.real()};
        const std::complex<double> p = std::conj(ak) * bk;
        z[size_t(k)] = std::conj(p);
        z[size_t(m)] = p;
    }
    m_fft.transform(z);
    const std::vector<std::complex<double>>& a = z;

    // d(tau) = e0 + e(tau) - 2 r(tau), e(tau) the power of the window moved by tau.
    double shifted = e0;
    m_diff[0] = 0.0;
    for (int tau = 1; tau <= m_maxLag + 1 && tau + w <= m_frame; ++tau) {
        const double out = x[size_t(tau - 1)], in = x[size_t(tau + w - 1)];
        shifted += in * in - out * out;
        const double r = a[size_t(tau)].real() / n;
        m_diff[size_t(tau)] = std::max(0.0, e0 + shifted - 2.0 * r);
    }

    // The cumulative-mean-normalised difference, and the first dip below the threshold.
    std::vector<double>& normalised = m_normalised;
    double running = 0.0;
    int best = -1;
    int lowest = m_minLag;
    for (int tau = 1; tau <= m_maxLag; ++tau) {
        running += m_diff[size_t(tau)];
        normalised[size_t(tau)] = running > 0.0 ? m_diff[size_t(tau)] * tau / running : 1.0;
        if (tau < m_minLag)
            continue;
        if (normalised[size_t(tau)] < normalised[size_t(lowest)])
            lowest = tau;
        if (best < 0 && normalised[size_t(tau)] < DipThreshold)
            best = tau;
    }
    if (best < 0)
        best = lowest;
    while (best + 1 < m_maxLag && normalised[size_t(best + 1)] < normalised[size_t(best)])
        ++best;
    const double dip = normalised[size_t(best)];
    if (dip > VoicedLimit || best >= m_maxLag)
        return {};

    double period = parabolicMinimum(m_diff, best);
    // The dip at k periods gives the period k times more finely.
    const int multiple = int((m_maxLag - 2) / period);
    if (multiple >= 2) {
        const int centre = int(std::lround(multiple * period));
        int t = centre;
        for (int u = std::max(2, centre - 2); u <= std::min(m_maxLag - 1, centre + 2); ++u)
            if (m_diff[size_t(u)] < m_diff[size_t(t)])
                t = u;
        if (t > 1 && t < m_maxLag && m_diff[size_t(t)] <= m_diff[size_t(t - 1)] &&
            m_diff[size_t(t)] <= m_diff[size_t(t + 1)])
            period = parabolicMinimum(m_diff, t) / multiple;
    }
    return {m_rate / period, std::clamp(1.0 - dip, 0.0, 1.0)};
}

} // namespace chordalis
