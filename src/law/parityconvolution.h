#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace stats {

// One step of the law of meetings as a product of spectra instead of a
// double loop: for a sequence x of length entries,
//   y[j] = sum_{s < length} x[s] g_{s mod 2}[j - s],  j = 0 .. length - 1,
// with one kernel for the even s (Dog's timer ticks first) and another for
// the odd s (Momotaro's). Both kernels are transformed once; each step is
// then one real transform forward and one back (FFTW), O(n log n) instead of
// O(n^2 / 2) multiply-adds.
//
// The parity split costs no third transform: with X the spectrum of x on n
// points (n even), the spectrum of x's even entries alone is
// (X(f) + X(f + n/2)) / 2 and of its odd entries (X(f) - X(f + n/2)) / 2, as
// (-1)^s x[s] has the spectrum X shifted by n/2. The transform is at least
// 2 length points long (the least 2^a or 3 * 2^a), more than the 2 length - 1
// entries of the whole convolution, so that its circular convolution wraps
// nothing into the entries kept.
//
// An object is used on the thread that made it; the transforms' plans and
// buffers are the thread's (plansFor()).
class ParityConvolution
{
public:
    // The kernels' entries past length are not used.
    ParityConvolution(std::span<const double> even, std::span<const double> odd, std::size_t length);

    // y = the convolution above of x; both length entries long.
    void apply(std::span<const double> x, std::span<double> y);

private:
    struct Plans;
    static Plans &plansFor(std::size_t points);
    void transform(std::span<const double> from);

    std::size_t m_length = 0;
    std::size_t m_points = 0;
    // The kernels' spectra, f = 0 .. n/2, as re, im pairs.
    std::vector<double> m_even, m_odd;
};

} // namespace stats
