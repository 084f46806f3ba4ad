#include "numerics/NumberFormat.h"
// placeholder: replaced by the real implementation
namespace numerics {
std::string FormatGeneral(double, std::string_view, int) { return {}; }
std::string FormatFixed(double, int, int, std::string_view) { return {}; }
std::string FormatExponent(double, int, int, std::string_view) { return {}; }
bool ParseReal(std::string_view, std::string_view, double &) { return false; }
bool ParseInt(std::string_view, int32_t &) { return false; }
}
