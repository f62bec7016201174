// Writes a run into and reads it out of the run tables, the same way in the store and on the
// server.
#pragma once

#include "records/StoredRun.h"

class QSqlQuery;

// "INSERT INTO runs (...) VALUES (?, ...)" followed by tail (e.g. an ON CONFLICT clause).
QString runInsert(const QString& tail = {});
void bindRun(QSqlQuery& query, const StoredRun& run);

// "INSERT INTO run_channels (run_id, position, channel, errors) VALUES (?, ?, ?, ?)" and tail.
QString channelInsert(const QString& tail = {});
void bindChannel(QSqlQuery& query, const QString& runId, const StoredChannel& channel);

// The run on the query's current row, whose first columns are runColumns() in order; without its
// channels.
StoredRun runFromRow(const QSqlQuery& query);

// "SELECT position, channel, errors FROM run_channels WHERE run_id = ? ORDER BY position".
QString channelSelect();
StoredChannel channelFromRow(const QSqlQuery& query);
