// Text and JSON forms of the results figures.
#include "results/ResultsText.h"

#include <QJsonArray>
#include <cmath>

namespace
{
QJsonValue yieldJson(std::optional<double> yield)
{
    return yield ? QJsonValue(*yield) : QJsonValue(QJsonValue::Null);
}
} // namespace

QString yieldText(std::optional<double> yield)
{
    if (!yield)
        return QStringLiteral("\u2014");
    return QStringLiteral("%1 %").arg(std::lround(*yield * 100));
}

QStringList resultsTextLines(const ResultFigures& figures)
{
    QStringList lines{
        QStringLiteral("Units tested: %1").arg(figures.units),
        QStringLiteral("Runs: %1").arg(figures.runs),
        QStringLiteral("First-pass yield: %1").arg(yieldText(figures.firstPassYield())),
        QStringLiteral("Final yield: %1").arg(yieldText(figures.finalYield())),
        QStringLiteral("Retests: %1").arg(figures.retests),
        QStringLiteral("Aborted: %1").arg(figures.aborted),
        QStringLiteral("Stopped: %1").arg(figures.stopped),
    };
    if (!figures.pareto.isEmpty())
        lines << QStringLiteral("Runs that did not pass:");
    for (const ResultFigures::Cause& cause : figures.pareto)
        lines << QStringLiteral("  %1: %2 (%3 % cumulative)")
                     .arg(cause.step)
                     .arg(cause.runs)
                     .arg(std::lround(cause.cumulativeShare * 100));
    return lines;
}

QJsonObject resultsJson(const ResultFigures& figures)
{
    QJsonArray pareto;
    for (const ResultFigures::Cause& cause : figures.pareto)
        pareto.append(QJsonObject{{QStringLiteral("step"), cause.step},
                                  {QStringLiteral("runs"), cause.runs}});
    return QJsonObject{
        {QStringLiteral("units"), figures.units},
        {QStringLiteral("runs"), figures.runs},
        {QStringLiteral("first_pass_yield"), yieldJson(figures.firstPassYield())},
        {QStringLiteral("final_yield"), yieldJson(figures.finalYield())},
        {QStringLiteral("retests"), figures.retests},
        {QStringLiteral("aborted"), figures.aborted},
        {QStringLiteral("stopped"), figures.stopped},
        {QStringLiteral("pareto"), pareto},
    };
}
