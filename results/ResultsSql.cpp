// The filter's SQL condition and the running of a prepared results query.
#include "results/ResultsSql.h"

#include <QSqlError>

namespace
{
// The search text as a LIKE pattern that matches it anywhere, its own % _ and \ taken literally.
QString containsPattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
} // namespace

SqlCondition filterCondition(const ResultsFilter& filter)
{
    SqlCondition condition;
    condition.text = QStringLiteral("r.started_utc >= ? AND r.started_utc < ?");
    condition.values << utcKey(filter.fromUtc) << utcKey(filter.toUtc);
    if (!filter.station.isEmpty()) {
        condition.text += QStringLiteral(" AND r.station = ?");
        condition.values << filter.station;
    }
    if (!filter.run.isEmpty()) {
        condition.text += QStringLiteral(" AND r.run = ?");
        condition.values << filter.run;
    }
    if (!filter.unitSearch.isEmpty()) {
        condition.text +=
            QStringLiteral(" AND LOWER(COALESCE(r.unit, '')) LIKE LOWER(?) ESCAPE '\\'");
        condition.values << containsPattern(filter.unitSearch);
    }
    return condition;
}

bool runQuery(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}
