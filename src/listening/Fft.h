#pragma once

#include <complex>
#include <vector>

namespace chordalis {

// An in-place radix-2 FFT of a fixed size (a power of two, 2..2^20), its twiddle factors worked
// out once. Forward only, unscaled: X[k] = sum x[n] e^(-2 pi i k n / N).
class Fft {
public:
    explicit Fft(int size);
    int size() const { return m_size; }
    void transform(std::vector<std::complex<double>>& data) const;

private:
    int m_size;
    // Each stage's twiddles side by side, so that a butterfly reads them in order: for the stage
    // joining halves of length h (1, 2, 4..), e^(-pi i k / h) for k < h, from index h - 1.
    std::vector<std::complex<double>> m_twiddles;
    std::vector<int> m_reversed; // bit-reversed index of each index
};

// The smallest power of two at least n (n >= 1).
int powerOfTwoAtLeast(int n);

} // namespace chordalis
