// The filter's runs as CSV in the columns of the station's daily results table, with the name
// of the station that recorded each run added last.
#pragma once

#include "results/ResultsFilter.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The header row: the daily table's columns and test_station.
QByteArray runsCsvHeader();

// One row, RFC 4180 as the daily table writes it; a field that a spreadsheet would take for a
// formula (beginning with = + - @, a tab or a carriage return) is written with a leading '.
QByteArray runsCsvRow(const QStringList& fields);

// Writes the filter's runs, oldest first, to the file at path (replaced only once it is whole).
// The log_file column stays empty: the store keeps the log itself, not its file's name.
bool exportRunsCsv(QSqlDatabase& db, const ResultsFilter& filter, const QString& path,
                   qint64* written, QString* error);
