#pragma once
// The fixed texts the analysis commands show, and what a computation hands
// its command to show.
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace analysis {

inline QString MsgBadParameter()
{
    return QCoreApplication::translate("AnalysisMessages", "Неверный параметр!");
}
inline QString MsgBaselineIgnored()
{
    return QCoreApplication::translate("AnalysisMessages", "Базовая линия игнорирована!");
}
inline QString MsgBaselineLoaded()
{
    return QCoreApplication::translate("AnalysisMessages", "Базовая линия успешно загружена!");
}
inline QString MsgBaselineNotLoaded()
{
    return QCoreApplication::translate("AnalysisMessages", "Базовая линия не загружена! Расчет остановлен!");
}
inline QString MsgFitFailed()
{
    return QCoreApplication::translate("AnalysisMessages", "Невозможно закончить расчет!");
}

// The baseline file name that means "no baseline".
inline const QString kNoBaseline = QStringLiteral("Nil");

// What a computation reports besides its result, for the window to show in
// message boxes and varotem-eval on standard error.
struct TCommandReport {
    // Shown first, in order (the baseline's message, a fit that failed).
    QStringList Notices;
    // Empty when there is a result; otherwise the message that ends the command.
    QString Failure;
    // No file exists under the baseline name: the name on record becomes "Nil".
    bool BaselineMissing = false;
};

} // namespace analysis
