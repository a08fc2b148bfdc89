#include "listening/Fft.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace chordalis {

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

Fft::Fft(int size) : m_size(size) {
    if (size < 2 || size > (1 << 20) || (size & (size - 1)) != 0)
        throw std::invalid_argument("FFT size must be a power of two from 2 to 2^20");
    m_twiddles.reserve(size_t(size - 1));
    for (int half = 1; half < size; half *= 2)
        for (int k = 0; k < half; ++k)
            m_twiddles.push_back(std::polar(1.0, -std::numbers::pi * k / half));
    m_reversed.resize(size_t(size));
    int bits = 0;
    while ((1 << bits) < size)
        ++bits;
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b)
            r |= ((i >> b) & 1) << (bits - 1 - b);
        m_reversed[size_t(i)] = r;
    }
}

void Fft::transform(std::vector<std::complex<double>>& data) const {
    if (int(data.size()) != m_size)
        throw std::invalid_argument("FFT input of the wrong size");
    for (int i = 0; i < m_size; ++i) {
        const int r = m_reversed[size_t(i)];
        if (r > i)
            std::swap(data[size_t(i)], data[size_t(r)]);
    }
    // The butterflies in plain arithmetic: a complex product through operator* checks every
    // result for infinities and NaN, which costs more than the product.
    for (int half = 1; half < m_size; half *= 2) {
        const std::complex<double>* w = &m_twiddles[size_t(half - 1)];
        for (int start = 0; start < m_size; start += 2 * half) {
            std::complex<double>* lo = &data[size_t(start)];
            std::complex<double>* hi = lo + half;
            for (int k = 0; k < half; ++k) {
                const double wr = w[k].real(), wi = w[k].imag();
                const double hr = hi[k].real(), him = hi[k].imag();
                const double tr = wr * hr - wi * him, ti = wr * him + wi * hr;
                const double lr = lo[k].real(), li = lo[k].imag();
                hi[k] = {lr - tr, li - ti};
                lo[k] = {lr + tr, li + ti};
            }
        }
    }
}

} // namespace chordalis
