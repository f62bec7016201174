// The files of the records folder: a free name for a run's log and the day's results table.
#pragma once

#include <QByteArray>
#include <QString>

// The path of name in folder, or, where that exists, of name with "-2", "-3" ... before its
// suffix: the first that does not exist.
QString freeRecordPath(const QString& folder, const QString& name);

// Appends row to the results table at path in one write, with header first when the table is
// new or empty. A write that goes short (a full disk, a size limit) is cut back to the table's
// earlier size, so the table never holds part of a row, and a table the write created is
// removed again. Returns an empty text, or the reason for the failure.
QString appendResultsRow(const QString& path, const QByteArray& header, const QByteArray& row);
