#include "law/parityconvolution.h"

#include <fftw3.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace stats {

namespace {

// FFTW's planner is not reentrant: plans are made and destroyed one at a
// time. Executing a plan on its own arrays is safe on any thread.
std::mutex &plannerLock()
{
    static std::mutex lock;
    return lock;
}

std::size_t transformPoints(std::size_t length)
{
    const std::size_t least = std::max<std::size_t>(2 * length, 4);
    std::size_t power = 4;
    while (power < least)
        power *= 2;
    // 3 * 2^a lies between 2^(a+1) and 2^(a+2): take it when it is enough.
    const std::size_t three = power / 4 * 3;
    return three >= least ? three : power;
}

} // namespace

// A transform's buffers and its two plans, forward and back, for one length.
struct ParityConvolution::Plans
{
    explicit Plans(std::size_t n) : points(n), real(fftw_alloc_real(n)), spectrum(fftw_alloc_complex(n / 2 + 1))
    {
        // FFTW_ESTIMATE: the same plan every time, so that the same question
        // gives the same figures to the last bit.
        const std::lock_guard lock(plannerLock());
        forward = fftw_plan_dft_r2c_1d(int(n), real, spectrum, FFTW_ESTIMATE);
        backward = fftw_plan_dft_c2r_1d(int(n), spectrum, real, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    }
    ~Plans()
    {
        {
            const std::lock_guard lock(plannerLock());
            fftw_destroy_plan(forward);
            fftw_destroy_plan(backward);
        }
        fftw_free(real);
        fftw_free(spectrum);
    }
    Plans(const Plans &) = delete;
    Plans &operator=(const Plans &) = delete;

    std::size_t points;
    double *real;
    fftw_complex *spectrum;
    fftw_plan forward = nullptr;
    fftw_plan backward = nullptr;
};

namespace {

// Making a plan works out its sines and cosines, which costs as much as
// several transforms: each thread keeps the plans of the lengths it used
// last. Objects of one length on one thread share them, which is safe as
// their buffers are used only within one call.
constexpr std::size_t KeptPlans = 16;

} // namespace

ParityConvolution::Plans &ParityConvolution::plansFor(std::size_t points)
{
    thread_local std::vector<std::unique_ptr<Plans>> kept;
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const auto &p) { return p->points == points; });
    if (found != kept.end()) {
        // The most recent last, the one to let go first.
        std::rotate(found, found + 1, kept.end());
        return *kept.back();
    }
    if (kept.size() == KeptPlans)
        kept.erase(kept.begin());
    kept.push_back(std::make_unique<Plans>(points));
    return *kept.back();
}

ParityConvolution::ParityConvolution(std::span<const double> even, std::span<const double> odd, std::size_t length)
    : m_length(length), m_points(transformPoints(length))
{
    const std::size_t n = m_points;
    const auto spectrumOf = [&](std::span<const double> kernel, std::vector<double> &out) {
        transform(kernel.first(std::min(kernel.size(), length)));
        const fftw_complex *spectrum = plansFor(n).spectrum;
        out.resize(2 * (n / 2 + 1));
        for (std::size_t f = 0; f <= n / 2; ++f) {
            out[2 * f] = spectrum[f][0];
            out[2 * f + 1] = spectrum[f][1];
        }
    };
    spectrumOf(even, m_even);
    spectrumOf(odd, m_odd);
}

void ParityConvolution::transform(std::span<const double> from)
{
    Plans &plans = plansFor(m_points);
    std::copy(from.begin(), from.end(), plans.real);
    std::fill(plans.real + from.size(), plans.real + m_points, 0.0);
    fftw_execute(plans.forward);
}

void ParityConvolution::apply(std::span<const double> x, std::span<double> y)
{
    transform(x.first(std::min(x.size(), m_length)));
    // Y(f) = E(f) G_even(f) + O(f) G_odd(f), with E and O the spectra of x's
    // even and odd entries; X(f + n/2) = conj(X(n/2 - f)) for a real x. The
    // pair f, n/2 - f is worked out together, in place.
    const std::size_t half = m_points / 2;
    Plans &plans = plansFor(m_points);
    fftw_complex *X = plans.spectrum;
    const auto product = [&](std::size_t f, double xr, double xi, double hr, double hi) {
        // X(f) = xr + i xi, X(f + n/2) = hr + i hi.
        const double er = (xr + hr) / 2, ei = (xi + hi) / 2;
        const double orr = (xr - hr) / 2, oi = (xi - hi) / 2;
        const double ar = m_even[2 * f], ai = m_even[2 * f + 1];
        const double br = m_odd[2 * f], bi = m_odd[2 * f + 1];
        X[f][0] = er * ar - ei * ai + orr * br - oi * bi;
        X[f][1] = er * ai + ei * ar + orr * bi + oi * br;
    };
    for (std::size_t f = 0, g = half; f <= g; ++f, --g) {
        const double fr = X[f][0], fi = X[f][1], gr = X[g][0], gi = X[g][1];
        product(f, fr, fi, gr, -gi);
        if (g != f)
            product(g, gr, gi, fr, -fi);
    }
    fftw_execute(plans.backward);
    const double scale = 1.0 / double(m_points);
    const std::size_t kept = std::min(y.size(), m_length);
    for (std::size_t j = 0; j < kept; ++j)
        y[j] = plans.real[j] * scale;
}

} // namespace stats
