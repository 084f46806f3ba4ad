#include "analysis/core/Correction.h"

#include "analysis/core/MaterialDirectory.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::Correction)
};

// Points of the L calibration checked for monotonicity between the lowest
// and highest reading the correction needs.
constexpr int kMonotonicGrid = 4096;

TCorrectionOutcome Refused(const QString &message)
{
    TCorrectionOutcome out;
    out.Failure = message + u' ' + Tr::tr("Коррекция не создана!");
    return out;
}

// The reading x with f(x) = target, or nothing when the L calibration is not
// strictly monotonic where the targets lie (or they cannot be reached).
class TInverse {
public:
    TInverse(const TLCalibration &f, double lo, double hi) : f_(f), lo_(lo), hi_(hi) {}

    // Widens [lo, hi] until f covers [low, high]; then samples f on a grid
    // and demands strict monotonicity there.
    bool Cover(double low, double high)
    {
        if (!(hi_ > lo_)) {
            const double pad = std::max(1.0, std::fabs(lo_));
            lo_ -= pad;
            hi_ += pad;
        }
        for (int widening = 0; widening < 64; ++widening) {
            const double flo = f_(lo_), fhi = f_(hi_);
            if (!std::isfinite(flo) || !std::isfinite(fhi) || flo == fhi)
                return false;
            increasing_ = fhi > flo;
            const double vmin = std::min(flo, fhi), vmax = std::max(flo, fhi);
            if (vmin <= low && high <= vmax)
                return Sample();
            const double width = hi_ - lo_;
            // Move the end whose value falls short outward.
            if (low < vmin) {
                if (increasing_)
                    lo_ -= width;
                else
                    hi_ += width;
            }
            if (high > vmax) {
                if (increasing_)
                    hi_ += width;
                else
                    lo_ -= width;
            }
        }
        return false;
    }

    double operator()(double target) const
    {
        // The grid cell that holds the target, then bisection inside it.
        const auto below = [&](double v) { return increasing_ ? v < target : v > target; };
        const size_t k = size_t(std::partition_point(values_.begin(), values_.end(), below) - values_.begin());
        if (k == 0)
            return x_.front();
        if (k == values_.size())
            return x_.back();
        double a = x_[k - 1], b = x_[k];
        for (int i = 0; i < 200; ++i) {
            const double mid = 0.5 * (a + b);
            if (mid == a || mid == b)
                break;
            (below(f_(mid)) ? a : b) = mid;
        }
        return std::fabs(f_(a) - target) <= std::fabs(f_(b) - target) ? a : b;
    }

private:
    bool Sample()
    {
        x_.resize(kMonotonicGrid + 1);
        values_.resize(kMonotonicGrid + 1);
        for (int k = 0; k <= kMonotonicGrid; ++k) {
            x_[k] = k == kMonotonicGrid ? hi_ : lo_ + (hi_ - lo_) * k / kMonotonicGrid;
            values_[k] = f_(x_[k]);
            if (!std::isfinite(values_[k]))
                return false;
            if (k > 0 && !(increasing_ ? values_[k] > values_[k - 1] : values_[k] < values_[k - 1]))
                return false;
        }
        return true;
    }

    const TLCalibration &f_;
    double lo_, hi_;
    bool increasing_ = true;
    std::vector<double> x_, values_;
};

QString RangeText(const materials::TReferenceMaterial &m)
{
    return Tr::tr("от %1 до %2 °C (%3–%4 K)")
        .arg(LocaleGeneral(m.lowKelvin - materials::kZeroCelsius), LocaleGeneral(m.highKelvin - materials::kZeroCelsius),
             LocaleGeneral(m.lowKelvin), LocaleGeneral(m.highKelvin));
}

} // namespace

TCorrectionOutcome MakeCorrection(const TRunData &raw, const materials::TReferenceMaterial &material,
                                  double referenceLength, const TSettings &settings, const TSplineTable &tTable,
                                  const TSplineTable &lTable)
{
    if (!(referenceLength > 0.0) || !std::isfinite(referenceLength))
        return Refused(Tr::tr("Длина эталонного образца должна быть положительным числом!"));
    auto file = std::make_unique<TRunData>(raw);
    FilterErrors(*file, settings.ErrorCode);
    const int32_t n = ValidCount(*file);
    if (n < 3)
        return Refused(Tr::tr("В записи %1 точек, для коррекции нужно не меньше 3!").arg(n));
    TKalibrStatus status;
    const auto calibrated = CalibratedCopy(*file, settings, tTable, lTable, &status);
    for (const auto &[quantity, state] : {std::pair{QStringLiteral("T"), status.T}, std::pair{QStringLiteral("L"), status.L}}) {
        if (state != TTableState::NotUsed && state != TTableState::Ok) {
            return Refused(Tr::tr("Калибровка %1 по реперным точкам невозможна: %2!")
                               .arg(quantity, SplineTableProblem(state)));
        }
    }

    const double t0 = calibrated->T[0] + materials::kZeroCelsius;
    const double quartz = raw.QuartzAlpha * raw.QuartzLength;
    std::vector<double> targets(n);
    for (int32_t i = 0; i < n; ++i) {
        const double celsius = calibrated->T[i];
        const double kelvin = celsius + materials::kZeroCelsius;
        if (!material.InRange(kelvin, kCertifiedRangeTolerance)) {
            return Refused(Tr::tr("Температура %1 °C (точка %2) вне аттестованного диапазона материала "
                                  "«%3»: %4!")
                               .arg(LocaleGeneral(celsius))
                               .arg(i + 1)
                               .arg(MaterialName(material), RangeText(material)));
        }
        targets[i] = calibrated->L[i] - referenceLength * (material.Strain(kelvin) - material.Strain(t0)) +
                     quartz * (kelvin - t0);
        if (!std::isfinite(targets[i]))
            return Refused(Tr::tr("Коррекция в точке %1 не является числом!").arg(i + 1));
    }

    const TLCalibration f(settings, lTable);
    std::vector<double> readings = ChannelValues(*file, TChannel::L);
    const auto [rlo, rhi] = std::minmax_element(readings.begin(), readings.end());
    const auto [tlo, thi] = std::minmax_element(targets.begin(), targets.end());
    TInverse inverse(f, *rlo, *rhi);
    if (!inverse.Cover(*tlo, *thi))
        return Refused(Tr::tr("Калибровка L не монотонна в диапазоне записи: отсчеты коррекции не найти!"));
    const double marker = settings.ErrorCode;
    for (int32_t i = 0; i < n; ++i) {
        double x = inverse(targets[i]);
        // A reading equal to the error marker would be dropped as a failed
        // conversion; the next double calibrates to the same length.
        if (x == marker)
            x = std::nextafter(x, 0.0);
        file->L[i] = x;
    }
    // The slots above Count are left zero, as in a fresh run.
    for (int32_t i = n; i < kRunCapacity; ++i)
        file->T[i] = file->L[i] = file->TC[i] = 0.0;
    file->SampleLength = referenceLength;

    TCorrectionOutcome out;
    out.File = std::move(file);
    return out;
}

std::optional<QString> SampleLengthWarning(double runLength, double baselineLength)
{
    if (!(baselineLength > 0.0) || !std::isfinite(baselineLength) || !std::isfinite(runLength))
        return std::nullopt;
    if (std::fabs(runLength - baselineLength) <= kSampleLengthTolerance * baselineLength)
        return std::nullopt;
    return Tr::tr("Длина образца %1 отличается от длины образца базовой линии %2 более чем на 10 %!")
        .arg(LocaleGeneral(runLength), LocaleGeneral(baselineLength));
}

QStringList RodParameterWarnings(const TRodParameters &run, double baselineAlpha, double baselineLength)
{
    const auto differ = [](double runValue, double recorded) {
        return recorded > 0.0 && std::isfinite(recorded) && std::isfinite(runValue) &&
               std::fabs(runValue - recorded) > kRodParameterTolerance * recorded;
    };
    QStringList warnings;
    if (run.QuartzAlpha && differ(*run.QuartzAlpha, baselineAlpha)) {
        warnings << Tr::tr("Alpha кварца %1 отличается от записанного в базовой линии %2: коррекция по эталону "
                           "верна только при том же значении!")
                        .arg(LocaleGeneral(*run.QuartzAlpha), LocaleGeneral(baselineAlpha));
    }
    if (differ(run.QuartzLength, baselineLength)) {
        warnings << Tr::tr("L кварца %1 отличается от записанной в базовой линии %2: коррекция по эталону верна "
                           "только при том же значении!")
                        .arg(LocaleGeneral(run.QuartzLength), LocaleGeneral(baselineLength));
    }
    return warnings;
}

QStringList BaselineNotices(const TBaseline &baseline, std::optional<double> runLength,
                            std::optional<TRodParameters> runRod)
{
    QStringList notices{BaselineMessage(baseline.State)};
    if (baseline.State != TBaselineState::Loaded)
        return notices;
    if (runLength) {
        if (const auto warning = SampleLengthWarning(*runLength, baseline.SampleLength))
            notices << *warning;
    }
    if (runRod)
        notices << RodParameterWarnings(*runRod, baseline.QuartzAlpha, baseline.QuartzLength);
    return notices;
}

} // namespace analysis
