#pragma once
// The fixed texts the analysis commands show through Prompt().
#include <QString>

namespace analysis {

inline const QString kMsgBadParameter = QStringLiteral("Неверный параметр!");
inline const QString kMsgBaselineIgnored = QStringLiteral("Базовая линия игнорирована!");
inline const QString kMsgBaselineLoaded = QStringLiteral("Базовая линия успешно загружена!");
inline const QString kMsgBaselineNotLoaded = QStringLiteral("Базовая линия не загружена! Расчет остановлен!");
inline const QString kMsgFitFailed = QStringLiteral("Невозможно закончить расчет!");

// The baseline file name that means "no baseline".
inline const QString kNoBaseline = QStringLiteral("Nil");

} // namespace analysis
