#pragma once

namespace numerics {

// Outcome of a numerical routine. Routines never print or throw; the caller
// decides what the user is told.
enum class Status {
    Ok,
    TooFewPoints,   // fewer points than the method needs; outputs untouched
    BadAbscissae,   // abscissae not strictly increasing (a zero step would divide by zero)
    Singular,       // a zero pivot or divisor, or a non-finite result
    BadArgument,    // an argument outside the routine's domain (e.g. polynomial order)
};

} // namespace numerics
