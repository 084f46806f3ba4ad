#pragma once
// The number formats with the decimal separator of the user's locale
// (QLocale(), which tests may switch with QLocale::setDefault). A value that
// is not a finite number has no text: the formats give an empty string, so a
// field, grid cell or label shows nothing rather than "NAN" or "INF".
#include <QString>
#include <cstdint>

QString DecimalSeparator();
QString LocaleGeneral(double x, int P = 15);
QString LocaleFixed(double x, int P, int D);
QString LocaleExponent(double x, int P, int E);
// Accepts the locale's separator only; false (out unchanged) for anything else.
bool LocaleParseReal(const QString &text, double &out);
bool LocaleParseInt(const QString &text, int32_t &out);
