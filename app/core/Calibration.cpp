#include "app/core/Calibration.h"

#include "app/core/SafeFile.h"
#include "numerics/Splines.h"

#include <QCoreApplication>

#include <cmath>
#include <cstring>

namespace {

constexpr double kSplineSmoothing = 1.0;
constexpr int kCountOffset = 0;
constexpr int kXOffset = 4;
constexpr int kYOffset = kXOffset + kSplineCapacity * 8;
static_assert(kYOffset + kSplineCapacity * 8 == kSplineFileSize);

struct TCubic {
    long double a, b, c, d;
};

// Coefficient arrays of a spline built from one table.
struct TSplineCoefficients {
    double d[kSplineCapacity], c[kSplineCapacity], b[kSplineCapacity], a[kSplineCapacity];
};

// The sample arrays of the packed record are visited through the record
// itself, so every access knows it may be unaligned.
template <typename F>
void MapChannel(TRunData &run, TChannel channel, F f)
{
    const int32_t n = ValidCount(run);
    for (int32_t i = 0; i < n; ++i) {
        switch (channel) {
        case TChannel::T: run.T[i] = f(run.T[i]); break;
        case TChannel::L: run.L[i] = f(run.L[i]); break;
        case TChannel::TC: run.TC[i] = f(run.TC[i]); break;
        }
    }
}

// (b x + a) + (c x) x + ((d x) x) x in extended precision, rounded once on return.
double CubicValue(const TCubic &p, double raw)
{
    const long double x = raw;
    return static_cast<double>((p.b * x + p.a) + (p.c * x) * x + ((p.d * x) * x) * x);
}

void CalibrateByPolynomial(TRunData &run, TChannel channel, const TCubic &p)
{
    MapChannel(run, channel, [&p](double x) { return CubicValue(p, x); });
}

TTableState BuildTableSpline(const TSplineTable &table, TSplineCoefficients &s)
{
    const TTableState state = CheckSplineTable(table);
    if (state != TTableState::Ok)
        return state;
    const numerics::Status built =
        numerics::BuildSpline(table.Count, table.X, table.Y, kSplineSmoothing, s.d, s.c, s.b, s.a);
    return built == numerics::Status::Ok ? TTableState::Ok : TTableState::BuildFailed;
}

// Calibrates the given channels by the table's spline; when the table cannot
// be used they keep their raw values.
template <typename... Channels>
TTableState CalibrateBySpline(TRunData &run, const TSplineTable &table, Channels... channels)
{
    TSplineCoefficients s;
    const TTableState state = BuildTableSpline(table, s);
    if (state != TTableState::Ok)
        return state;
    for (const TChannel channel : {channels...}) {
        std::vector<double> values = ChannelValues(run, channel);
        numerics::SplineValues(table.Count, table.X, s.d, s.c, s.b, s.a, int32_t(values.size()), values.data(),
                               values.data());
        SetChannelValues(run, channel, values);
    }
    return state;
}

bool IsFailure(TTableState state) { return state != TTableState::NotUsed && state != TTableState::Ok; }

QString NotFoundMessage(const QString &fileName)
{
    return QCoreApplication::translate("Calibration", "Файл не найден: ") + fileName + u'!';
}

} // namespace

TTableState CheckSplineTable(const TSplineTable &table)
{
    const int32_t n = table.Count;
    if (n < kSplineMinPoints || n > kSplineCapacity)
        return TTableState::BadCount;
    for (int32_t q = 0; q < n; ++q) {
        if (!std::isfinite(table.X[q]) || !std::isfinite(table.Y[q]))
            return TTableState::NotFinite;
    }
    for (int32_t q = 1; q < n; ++q) {
        if (!(table.X[q - 1] < table.X[q]))
            return TTableState::NotIncreasing;
    }
    return TTableState::Ok;
}

QString SplineTableProblem(TTableState state)
{
    switch (state) {
    case TTableState::NotUsed:
    case TTableState::Ok: return {};
    case TTableState::BadCount: return QCoreApplication::translate("Calibration", "нужно от 3 до 100 точек");
    case TTableState::NotFinite: return QCoreApplication::translate("Calibration", "в таблице есть значения, не являющиеся числами");
    case TTableState::NotIncreasing: return QCoreApplication::translate("Calibration", "значения X должны строго возрастать");
    case TTableState::BuildFailed: return QCoreApplication::translate("Calibration", "сплайн не построен");
    }
    return {};
}

QString SplineTableMessage(const QString &quantity, TTableState state)
{
    const QString problem = SplineTableProblem(state);
    if (problem.isEmpty())
        return {};
    const QString left = quantity == QStringLiteral("T") ? QCoreApplication::translate("Calibration", "Значения T и TC оставлены")
                                                         : QCoreApplication::translate("Calibration", "Значения %1 оставлены").arg(quantity);
    return QCoreApplication::translate("Calibration", "Калибровка %1 по реперным точкам невозможна: %2! %3 без калибровки.")
        .arg(quantity, problem, left);
}

void FilterErrors(TRunData &run, int16_t errorCode)
{
    const int32_t oldCount = ValidCount(run);
    const double marker = errorCode;
    int32_t kept = 0;
    for (int32_t i = 0; i < oldCount; ++i) {
        if (run.T[i] == marker || run.L[i] == marker)
            continue;
        // Until the first dropped sample every sample is already in place.
        if (kept != i) {
            run.T[kept] = run.T[i];
            run.L[kept] = run.L[i];
            run.TC[kept] = run.TC[i];
        }
        ++kept;
    }
    run.Count = kept;
}

TKalibrStatus ApplyKalibr(TRunData &run, const TSettings &settings, const TSplineTable &tTable,
                          const TSplineTable &lTable)
{
    FilterErrors(run, settings.ErrorCode);
    TKalibrStatus status;
    if (settings.TSplineKalibrFlag) {
        status.T = CalibrateBySpline(run, tTable, TChannel::T, TChannel::TC);
    } else {
        const TCubic p{settings.aT, settings.bT, settings.cT, settings.dT};
        CalibrateByPolynomial(run, TChannel::T, p);
        CalibrateByPolynomial(run, TChannel::TC, p);
    }
    if (settings.LSplineKalibrFlag)
        status.L = CalibrateBySpline(run, lTable, TChannel::L);
    else
        CalibrateByPolynomial(run, TChannel::L, {settings.aL, settings.bL, settings.cL, settings.dL});
    return status;
}

std::unique_ptr<TRunData> CalibratedCopy(const TRunData &run, const TSettings &settings,
                                         const TSplineTable &tTable, const TSplineTable &lTable,
                                         TKalibrStatus *status)
{
    auto copy = std::make_unique<TRunData>(run);
    const TKalibrStatus calibrated = ApplyKalibr(*copy, settings, tTable, lTable);
    if (status)
        *status = calibrated;
    return copy;
}

struct TLCalibration::TSpline {
    TSplineTable table;
    TSplineCoefficients s;
};

TLCalibration::TLCalibration(const TSettings &settings, const TSplineTable &lTable)
{
    if (!settings.LSplineKalibrFlag) {
        a_ = settings.aL;
        b_ = settings.bL;
        c_ = settings.cL;
        d_ = settings.dL;
        return;
    }
    auto spline = std::make_shared<TSpline>();
    spline->table = lTable;
    state_ = BuildTableSpline(spline->table, spline->s);
    if (state_ == TTableState::Ok)
        spline_ = std::move(spline);
}

double TLCalibration::operator()(double raw) const
{
    if (spline_) {
        const TSpline &p = *spline_;
        return numerics::SplineValue(p.table.Count, p.table.X, p.s.d, p.s.c, p.s.b, p.s.a, raw);
    }
    if (state_ != TTableState::NotUsed)
        return raw;
    return CubicValue({a_, b_, c_, d_}, raw);
}

namespace {

double CalibrateValue(double raw, bool bySpline, const TSplineTable &table, const TCubic &p)
{
    if (!bySpline)
        return CubicValue(p, raw);
    TSplineCoefficients s;
    if (BuildTableSpline(table, s) != TTableState::Ok)
        return raw;
    return numerics::SplineValue(table.Count, table.X, s.d, s.c, s.b, s.a, raw);
}

} // namespace

TCalibratedSample CalibrateSample(double rawT, double rawL, const TSettings &settings, const TSplineTable &tTable,
                                  const TSplineTable &lTable)
{
    return {CalibrateValue(rawT, settings.TSplineKalibrFlag, tTable,
                           {settings.aT, settings.bT, settings.cT, settings.dT}),
            CalibrateValue(rawL, settings.LSplineKalibrFlag, lTable,
                           {settings.aL, settings.bL, settings.cL, settings.dL})};
}

QStringList TKalibrNotices::Update(const TKalibrStatus &status)
{
    QStringList messages;
    if (status.T != last_.T && IsFailure(status.T))
        messages << SplineTableMessage(QStringLiteral("T"), status.T);
    if (status.L != last_.L && IsFailure(status.L))
        messages << SplineTableMessage(QStringLiteral("L"), status.L);
    last_ = status;
    return messages;
}

QByteArray SplineTableImage(const TSplineTable &table)
{
    QByteArray image(kSplineFileSize, '\0');
    std::memcpy(image.data() + kCountOffset, &table.Count, sizeof table.Count);
    std::memcpy(image.data() + kXOffset, table.X, sizeof table.X);
    std::memcpy(image.data() + kYOffset, table.Y, sizeof table.Y);
    return image;
}

void OverlaySplineTable(TSplineTable &table, const QByteArray &image)
{
    QByteArray merged = SplineTableImage(table);
    std::memcpy(merged.data(), image.constData(), std::min<size_t>(image.size(), kSplineFileSize));
    std::memcpy(&table.Count, merged.constData() + kCountOffset, sizeof table.Count);
    std::memcpy(table.X, merged.constData() + kXOffset, sizeof table.X);
    std::memcpy(table.Y, merged.constData() + kYOffset, sizeof table.Y);
}

QString LoadSplineTable(const QString &fileName, TSplineTable &table)
{
    QString error;
    const auto image = ReadFileHead(fileName, kSplineFileSize, error);
    if (!image)
        return NotFoundMessage(fileName);
    OverlaySplineTable(table, *image);
    return {};
}

QString SaveSplineTable(const QString &fileName, const TSplineTable &table)
{
    if (!WriteFileSafely(fileName, SplineTableImage(table)).isEmpty())
        return NotFoundMessage(fileName);
    return {};
}

QStringList OpenSplineKalibr(const TSettings &settings, TSplineTable &tTable, TSplineTable &lTable)
{
    QStringList messages;
    for (const QString &m : {LoadSplineTable(settings.SplineTFile, tTable),
                             LoadSplineTable(settings.SplineLFile, lTable)}) {
        if (!m.isEmpty())
            messages << m;
    }
    return messages;
}

QStringList SaveSplineKalibr(const TSettings &settings, const TSplineTable &tTable,
                             const TSplineTable &lTable)
{
    QStringList messages;
    for (const QString &m : {SaveSplineTable(settings.SplineTFile, tTable),
                             SaveSplineTable(settings.SplineLFile, lTable)}) {
        if (!m.isEmpty())
            messages << m;
    }
    return messages;
}
