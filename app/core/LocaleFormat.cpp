#include "app/core/LocaleFormat.h"

#include "numerics/NumberFormat.h"

#include <QLocale>
#include <cmath>

namespace {
std::string Sep() { return DecimalSeparator().toStdString(); }
QString Q(const std::string &s) { return QString::fromStdString(s); }
} // namespace

QString DecimalSeparator() { return QLocale().decimalPoint(); }

QString LocaleGeneral(double x, int P)
{
    return std::isfinite(x) ? Q(numerics::FormatGeneral(x, Sep(), P)) : QString();
}

QString LocaleFixed(double x, int P, int D)
{
    return std::isfinite(x) ? Q(numerics::FormatFixed(x, P, D, Sep())) : QString();
}

QString LocaleExponent(double x, int P, int E)
{
    return std::isfinite(x) ? Q(numerics::FormatExponent(x, P, E, Sep())) : QString();
}

bool LocaleParseReal(const QString &text, double &out)
{
    return numerics::ParseReal(text.toStdString(), Sep(), out);
}

bool LocaleParseInt(const QString &text, int32_t &out) { return numerics::ParseInt(text.toStdString(), out); }
