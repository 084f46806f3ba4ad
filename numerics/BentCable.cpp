#include "numerics/BentCable.h"
#include "numerics/Solve3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace numerics {
namespace {

constexpr double kNoFit = std::numeric_limits<double>::infinity();
constexpr int kRefinements = 4;
constexpr int kRefineSteps = 10;

// The points in u = (x - mid) / half (so u spans -1..1) and v = y - mean(y),
// with prefix sums: pu[k][i] = sum over j < i of u^k, pv[k][i] of u^k v.
class TProfile {
public:
    TProfile(int32_t n, const double *x, const double *y, int32_t minOutside)
        : n_(n), minOutside_(minOutside), mid_(0.5 * (x[0] + x[n - 1])), half_(0.5 * (x[n - 1] - x[0])), u_(size_t(n))
    {
        long double sum = 0;
        for (int32_t i = 0; i < n; ++i)
            sum += y[i];
        mean_ = double(sum / n);
        for (auto &p : pu_)
            p.assign(size_t(n) + 1, 0.0L);
        for (auto &p : pv_)
            p.assign(size_t(n) + 1, 0.0L);
        for (int32_t i = 0; i < n; ++i) {
            u_[size_t(i)] = (x[i] - mid_) / half_;
            const long double u = u_[size_t(i)], v = y[i] - mean_;
            long double power = 1;
            for (int k = 0; k < 5; ++k) {
                pu_[size_t(k)][size_t(i) + 1] = pu_[size_t(k)][size_t(i)] + power;
                if (k < 3)
                    pv_[size_t(k)][size_t(i) + 1] = pv_[size_t(k)][size_t(i)] + power * v;
                power *= u;
            }
            vv_ += v * v;
        }
    }

    double U(int32_t i) const { return u_[size_t(i)]; }
    double Mid() const { return mid_; }
    double Half() const { return half_; }
    double Mean() const { return mean_; }

    // The residual sum of squares of the best cable with tau and gamma (in u),
    // kNoFit when a straight part keeps too few points or the system is
    // singular; beta receives b0, b1, b2 in u and v.
    double Rss(double tau, double gamma, long double beta[3]) const
    {
        const double a = tau - gamma, b = tau + gamma;
        const auto ia = int32_t(std::upper_bound(u_.begin(), u_.end(), a) - u_.begin());
        const auto ib = std::max(ia, int32_t(std::lower_bound(u_.begin(), u_.end(), b) - u_.begin()));
        if (ia < minOutside_ || n_ - ib < minOutside_)
            return kNoFit;
        long double sq = 0, suq = 0, sqq = 0, sqv = 0;
        if (gamma > 0 && ib > ia) {
            const long double g = 4.0L * gamma, la = a;
            const auto u = [&](int k) { return Sum(pu_, k, ia, ib); };
            const auto v = [&](int k) { return Sum(pv_, k, ia, ib); };
            sq += (u(2) - 2 * la * u(1) + la * la * u(0)) / g;
            suq += (u(3) - 2 * la * u(2) + la * la * u(1)) / g;
            sqq += (u(4) - 4 * la * u(3) + 6 * la * la * u(2) - 4 * la * la * la * u(1) + la * la * la * la * u(0)) /
                   (g * g);
            sqv += (v(2) - 2 * la * v(1) + la * la * v(0)) / g;
        }
        const long double t = tau;
        const auto u = [&](int k) { return Sum(pu_, k, ib, n_); };
        const auto v = [&](int k) { return Sum(pv_, k, ib, n_); };
        sq += u(1) - t * u(0);
        suq += u(2) - t * u(1);
        sqq += u(2) - 2 * t * u(1) + t * t * u(0);
        sqv += v(1) - t * v(0);

        const long double su = Sum(pu_, 1, 0, n_), suu = Sum(pu_, 2, 0, n_);
        const long double sv = Sum(pv_, 0, 0, n_), suv = Sum(pv_, 1, 0, n_);
        long double m[3][4] = {{static_cast<long double>(n_), su, sq, sv}, {su, suu, suq, suv}, {sq, suq, sqq, sqv}};
        const long double rhs[3] = {sv, suv, sqv};
        // A pivot that vanishes against the diagonal (the bend's column
        // dependent on the others) refuses the trial.
        if (!Solve3(m, beta, 1e-14L))
            return kNoFit;
        const long double rss = vv_ - (beta[0] * rhs[0] + beta[1] * rhs[1] + beta[2] * rhs[2]);
        return std::isfinite(double(rss)) ? std::max(0.0, double(rss)) : kNoFit;
    }

private:
    template <size_t K>
    static long double Sum(const std::array<std::vector<long double>, K> &p, int k, int32_t lo, int32_t hi)
    {
        return p[size_t(k)][size_t(hi)] - p[size_t(k)][size_t(lo)];
    }

    int32_t n_, minOutside_;
    double mid_, half_, mean_ = 0;
    std::vector<double> u_;
    std::array<std::vector<long double>, 5> pu_;
    std::array<std::vector<long double>, 3> pv_;
    long double vv_ = 0;
};

struct TTrial {
    double rss = kNoFit, tau = 0, gamma = 0;
    long double beta[3] = {0, 0, 0};
};

// Every (tau, gamma) of the grid tau0 + i dt, gamma0 + j dg (gamma >= 0).
void Search(const TProfile &profile, double tau0, double dt, int tauSteps, double gamma0, double dg, int gammaSteps,
            TTrial &best)
{
    for (int i = 0; i <= tauSteps; ++i) {
        const double tau = tau0 + i * dt;
        for (int j = 0; j <= gammaSteps; ++j) {
            const double gamma = gamma0 + j * dg;
            if (gamma < 0)
                continue;
            TTrial trial;
            trial.rss = profile.Rss(tau, gamma, trial.beta);
            if (trial.rss < best.rss) {
                trial.tau = tau;
                trial.gamma = gamma;
                best = trial;
            }
        }
    }
}

} // namespace

double TBentCable::operator()(double x) const
{
    double q = 0;
    if (x >= tau + gamma)
        q = x - tau;
    else if (x > tau - gamma)
        q = (x - tau + gamma) * (x - tau + gamma) / (4 * gamma);
    return b0 + b1 * x + b2 * q;
}

Status FitBentCable(int32_t n, const double *x, const double *y, const TBentCableSearch &search, TBentCable &fit)
{
    const int32_t minOutside = search.minOutside;
    if (minOutside < 2 || n < 2 * minOutside + 1)
        return Status::TooFewPoints;
    for (int32_t i = 1; i < n; ++i) {
        if (!(x[i - 1] <= x[i]))
            return Status::BadAbscissae;
    }
    if (!(x[0] < x[n - 1]))
        return Status::Singular;

    const TProfile profile(n, x, y, minOutside);
    const int tauSteps = std::max(search.tauSteps, 2), gammaSteps = std::max(search.gammaSteps, 1);
    const double tauLo = profile.U(minOutside - 1), tauHi = profile.U(n - minOutside);
    double dt = (tauHi - tauLo) / tauSteps, dg = 1.0 / gammaSteps;
    TTrial best;
    Search(profile, tauLo, dt, tauSteps, 0.0, dg, gammaSteps, best);
    if (best.rss == kNoFit)
        return Status::Singular;
    for (int r = 0; r < kRefinements; ++r) {
        const double tau = best.tau, gamma = best.gamma;
        Search(profile, tau - dt, 2 * dt / kRefineSteps, kRefineSteps, gamma - dg, 2 * dg / kRefineSteps, kRefineSteps,
               best);
        dt *= 2.0 / kRefineSteps;
        dg *= 2.0 / kRefineSteps;
    }

    // Back from u = (x - mid) / half: q scales with x, so b2 and b1 divide by half.
    const double half = profile.Half(), mid = profile.Mid();
    TBentCable result;
    result.b1 = double(best.beta[1]) / half;
    result.b2 = double(best.beta[2]) / half;
    result.b0 = profile.Mean() + double(best.beta[0]) - double(best.beta[1]) * mid / half;
    result.tau = mid + half * best.tau;
    result.gamma = half * best.gamma;
    result.rss = best.rss;
    if (!std::isfinite(result.b0) || !std::isfinite(result.b1) || !std::isfinite(result.b2))
        return Status::Singular;
    fit = result;
    return Status::Ok;
}

} // namespace numerics
