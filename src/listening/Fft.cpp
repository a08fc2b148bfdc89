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
    m_twiddles.resize(size_t(size / 2));
    for (int k = 0; k < size / 2; ++k)
        m_twiddles[size_t(k)] = std::polar(1.0, -2.0 * std::numbers::pi * k / size);
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
    for (int half = 1; half < m_size; half *= 2) {
        const int step = m_size / (2 * half);
        for (int start = 0; start < m_size; start += 2 * half) {
            for (int k = 0; k < half; ++k) {
                const std::complex<double> t =
                    m_twiddles[size_t(k * step)] * data[size_t(start + k + half)];
                data[size_t(start + k + half)] = data[size_t(start + k)] - t;
                data[size_t(start + k)] += t;
            }
        }
    }
}

} // namespace chordalis
