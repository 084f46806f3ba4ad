#include "app/core/SofteningWatch.h"

#include "numerics/LocalQuadratic.h"

#include <cmath>

bool PassedMaximum(const TTurnOver &turn, double marginFraction)
{
    const bool armed = turn.expansion > 0 && turn.expansion > kArmNoiseFactor * turn.dropNoise &&
                       turn.heating > kArmHeating;
    return armed && turn.rise > kSofteningRise &&
           turn.drop > marginFraction * turn.expansion + kNoiseFactor * turn.dropNoise;
}

void TNoiseEstimate::Add(double y)
{
    if (seen_ >= 2) {
        const double d = y - 2 * last_ + beforeLast_;
        sum_ += d * d;
    }
    beforeLast_ = last_;
    last_ = y;
    ++seen_;
}

double TNoiseEstimate::Sigma() const { return seen_ > 2 ? std::sqrt(sum_ / double(seen_ - 2) / 6.0) : 0.0; }

TSofteningWatch::TSofteningWatch()
{
    std::array<double, kWindow> slope{};
    numerics::QuadraticWindowWeights(kWindow, kWindow - 1, weights_.data(), slope.data());
    // The weights' squares sum to the newest reading's own weight; the drop
    // is the difference of two such smoothed values.
    dropNoiseFactor_ = std::sqrt(2.0 * weights_[kWindow - 1]);
}

void TSofteningWatch::Reset()
{
    Restart();
    passed_ = false;
    dropAtPass_ = 0;
}

void TSofteningWatch::Restart()
{
    seen_ = 0;
    noise_ = TNoiseEstimate{};
}

bool TSofteningWatch::Add(double t, double l, double marginFraction)
{
    const auto slot = size_t(seen_ % kWindow);
    t_[slot] = t;
    l_[slot] = l;
    ++seen_;
    noise_.Add(l);
    if (seen_ < kWindow || passed_)
        return passed_;

    // Oldest first: the slot after the newest.
    double smoothT = 0, smoothL = 0;
    for (int32_t k = 0; k < kWindow; ++k) {
        const auto at = size_t((seen_ + k) % kWindow);
        smoothT += weights_[size_t(k)] * t_[at];
        smoothL += weights_[size_t(k)] * l_[at];
    }
    if (seen_ == kWindow || smoothL < lowL_) {
        lowL_ = smoothL;
        lowT_ = smoothT;
    }
    if (seen_ == kWindow || smoothL > maxL_) {
        maxL_ = smoothL;
        maxT_ = smoothT;
        baseL_ = lowL_;
        baseT_ = lowT_;
        return false;
    }
    const TTurnOver turn{maxL_ - smoothL, maxL_ - baseL_, dropNoiseFactor_ * noise_.Sigma(), smoothT - maxT_,
                         maxT_ - baseT_};
    passed_ = PassedMaximum(turn, marginFraction);
    if (passed_)
        dropAtPass_ = turn.drop;
    return passed_;
}
