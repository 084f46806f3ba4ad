#pragma once
// "Физический КТР" and "Стеклование и размягчение" as stored results: their
// parameters, values and tables, for the archive and its report.
#include "archive/core/ArchiveTypes.h"

#include "analysis/core/GlassTransition.h"
#include "analysis/core/PhysicalCoefficient.h"

namespace archive {

// The commands' names as their menu entries read, stored in the program's own
// language whatever the language of the window.
inline const QString kPhysicalCommand = QStringLiteral("Физический КТР");
inline const QString kGlassCommand = QStringLiteral("Стеклование и размягчение");

// The table every Step kelvin, its smoothing and parameters.
TArchiveResult PhysicalResult(const analysis::TPhysicalParams &params, const analysis::TPhysicalOutcome &outcome);

// Tg, the two coefficients, the markers and Ts (absent when not reached); the
// tangents' failure instead of Tg when they were refused; Ts "не достигнута"
// when the softening was not reached.
TArchiveResult GlassResult(const analysis::TGlassResult &result);

} // namespace archive
