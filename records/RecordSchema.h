// The tables of recorded runs, the same in the station's store and on the factory's server.
#pragma once

#include <QString>
#include <QStringList>

// The layout this program reads and writes; a store or server with a newer one is left alone.
inline constexpr int kSchemaVersion = 1;

// Creates runs, run_channels, schema_version and their indexes where missing.
QStringList recordTables();

// Creates the store's own marks of where each run still has to go, where missing.
QString storeMarksTable();

// Writes the version row into an empty schema_version table.
QString schemaVersionSeed();

// The columns of runs in the order rows are written and read, each prefixed by prefix.
QString runColumns(const QString& prefix = {});
