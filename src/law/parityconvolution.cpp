#include "law/parityconvolution.h"

#include <fftw3.h>

#include <algorithm>
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

struct ParityConvolution::Plans
{
    double *real = nullptr;
    fftw_complex *spectrum = nullptr;
    fftw_plan forward = nullptr;
    fftw_plan backward = nullptr;
};

ParityConvolution::ParityConvolution(std::span<const double> even, std::span<const double> odd, std::size_t length)
    : m_length(length), m_points(transformPoints(length)), m_plans(new Plans)
{
    const std::size_t n = m_points;
    m_plans->real = fftw_alloc_real(n);
    m_plans->spectrum = fftw_alloc_complex(n / 2 + 1);
    {
        // FFTW_ESTIMATE: the same plan every time, so that the same question
        // gives the same figures to the last bit.
        const std::lock_guard lock(plannerLock());
        m_plans->forward = fftw_plan_dft_r2c_1d(int(n), m_plans->real, m_plans->spectrum, FFTW_ESTIMATE);
        m_plans->backward =
            fftw_plan_dft_c2r_1d(int(n), m_plans->spectrum, m_plans->real, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    }
    const auto spectrumOf = [&](std::span<const double> kernel, std::vector<double> &out) {
        transform(kernel.first(std::min(kernel.size(), length)));
        out.resize(2 * (n / 2 + 1));
        for (std::size_t f = 0; f <= n / 2; ++f) {
            out[2 * f] = m_plans->spectrum[f][0];
            out[2 * f + 1] = m_plans->spectrum[f][1];
        }
    };
    spectrumOf(even, m_even);
    spectrumOf(odd, m_odd);
}

ParityConvolution::~ParityConvolution()
{
    {
        const std::lock_guard lock(plannerLock());
        fftw_destroy_plan(m_plans->forward);
        fftw_destroy_plan(m_plans->backward);
    }
    fftw_free(m_plans->real);
    fftw_free(m_plans->spectrum);
    delete m_plans;
}

void ParityConvolution::transform(std::span<const double> from)
{
    std::copy(from.begin(), from.end(), m_plans->real);
    std::fill(m_plans->real + from.size(), m_plans->real + m_points, 0.0);
    fftw_execute(m_plans->forward);
}

void ParityConvolution::apply(std::span<const double> x, std::span<double> y)
{
    transform(x.first(std::min(x.size(), m_length)));
    // Y(f) = E(f) G_even(f) + O(f) G_odd(f), with E and O the spectra of x's
    // even and odd entries; X(f + n/2) = conj(X(n/2 - f)) for a real x. The
    // pair f, n/2 - f is worked out together, in place.
    const std::size_t half = m_points / 2;
    fftw_complex *X = m_plans->spectrum;
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
    fftw_execute(m_plans->backward);
    const double scale = 1.0 / double(m_points);
    const std::size_t kept = std::min(y.size(), m_length);
    for (std::size_t j = 0; j < kept; ++j)
        y[j] = m_plans->real[j] * scale;
}

} // namespace stats
