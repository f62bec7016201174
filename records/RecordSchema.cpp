// The DDL of the run tables: plain SQL that SQLite and PostgreSQL both take.
#include "records/RecordSchema.h"

namespace
{
const QStringList& runColumnNames()
{
    static const QStringList names{QStringLiteral("run_id"),
                                   QStringLiteral("station"),
                                   QStringLiteral("operator"),
                                   QStringLiteral("program_version"),
                                   QStringLiteral("unit"),
                                   QStringLiteral("port"),
                                   QStringLiteral("run"),
                                   QStringLiteral("outcome"),
                                   QStringLiteral("ended_in"),
                                   QStringLiteral("errors"),
                                   QStringLiteral("firmware"),
                                   QStringLiteral("station_type"),
                                   QStringLiteral("configuration"),
                                   QStringLiteral("started_at"),
                                   QStringLiteral("ended_at"),
                                   QStringLiteral("started_utc"),
                                   QStringLiteral("log")};
    return names;
}
} // namespace

QStringList recordTables()
{
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS runs ("
                           "run_id TEXT PRIMARY KEY, station TEXT NOT NULL, "
                           "operator TEXT NOT NULL, program_version TEXT NOT NULL, "
                           "unit TEXT NOT NULL, port TEXT NOT NULL, run TEXT NOT NULL, "
                           "outcome TEXT NOT NULL, ended_in TEXT NOT NULL, "
                           "errors INTEGER NOT NULL, firmware TEXT NOT NULL, "
                           "station_type TEXT NOT NULL, configuration TEXT NOT NULL, "
                           "started_at TEXT NOT NULL, ended_at TEXT NOT NULL, "
                           "started_utc TEXT NOT NULL, log TEXT NOT NULL)"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS run_channels ("
                           "run_id TEXT NOT NULL REFERENCES runs (run_id), "
                           "position INTEGER NOT NULL CHECK (position BETWEEN 1 AND 3), "
                           "channel INTEGER NOT NULL, errors INTEGER NOT NULL, "
                           "PRIMARY KEY (run_id, position))"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS runs_unit_started ON runs (unit, "
                           "started_utc)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS runs_station_started ON runs (station, "
                           "started_utc)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS runs_started ON runs (started_utc)")};
}

QString storeMarksTable()
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS store_marks ("
                          "run_id TEXT PRIMARY KEY REFERENCES runs (run_id), "
                          "folder TEXT NOT NULL, filed INTEGER NOT NULL CHECK (filed IN (0, 1)), "
                          "server TEXT NOT NULL, "
                          "forwarded INTEGER NOT NULL CHECK (forwarded IN (0, 1)))");
}

QString schemaVersionSeed()
{
    return QStringLiteral("INSERT INTO schema_version (version) SELECT %1 "
                          "WHERE NOT EXISTS (SELECT 1 FROM schema_version)")
        .arg(kSchemaVersion);
}

QString runColumns(const QString& prefix)
{
    QStringList columns;
    for (const QString& name : runColumnNames())
        columns << prefix + name;
    return columns.join(QStringLiteral(", "));
}
