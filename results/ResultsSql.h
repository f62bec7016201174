// The pieces of SQL every results query shares, written so that SQLite and PostgreSQL both run
// them: the filter's condition with its values, the verdict of a run, and running a query.
#pragma once

#include "results/ResultsFilter.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

struct SqlCondition {
    QString text; // "r.started_utc >= ? AND ...", for runs aliased r
    QVariantList values;
};

// The runs of the filter, as a condition on the table runs aliased r.
SqlCondition filterCondition(const ResultsFilter& filter);

// A run passed: it completed and lost nothing.
inline constexpr char passedSql[] =
    "(COALESCE(r.outcome, '') = 'completed' AND COALESCE(r.errors, 0) = 0)";
// A run completed but with errors.
inline constexpr char withErrorsSql[] =
    "(COALESCE(r.outcome, '') = 'completed' AND COALESCE(r.errors, 0) <> 0)";
// The run carries a unit label.
inline constexpr char labelledSql[] = "COALESCE(r.unit, '') <> ''";

// Prepares and runs sql with the values bound in order, forward only; on failure the driver's
// message goes to error.
bool runQuery(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error);
