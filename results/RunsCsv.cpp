// CSV export of the runs: the daily table's columns, quoting and a guard against formulas.
#include "results/RunsCsv.h"

#include "results/ResultsSql.h"

#include <QSaveFile>
#include <QSqlQuery>

namespace
{
QByteArray csvField(const QString& text)
{
    QByteArray field = text.toUtf8();
    if (!field.isEmpty() && QByteArrayView("=+-@\t\r").contains(field.front()))
        field.prepend('\'');
    const bool quoted = field.contains(',') || field.contains('"') || field.contains('\n') ||
                        field.contains('\r') || field.startsWith(' ') || field.endsWith(' ');
    if (!quoted)
        return field;
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

// A missing value is an empty field. The PostgreSQL driver hands a NULL number over as a null
// variant of its type, which reads as "0"; the SQLite driver's reads as "".
QString fieldText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}
} // namespace

QByteArray runsCsvHeader()
{
    return QByteArrayLiteral("start,end,unit,port,run,outcome,aborted_in,errors,firmware,station,"
                             "configuration,ch1,ch1_errors,ch2,ch2_errors,ch3,ch3_errors,"
                             "log_file,test_station\r\n");
}

QByteArray runsCsvRow(const QStringList& fields)
{
    QByteArray row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += ',';
        row += csvField(fields.at(i));
    }
    return row + "\r\n";
}

bool exportRunsCsv(QSqlDatabase& db, const ResultsFilter& filter, const QString& path,
                   qint64* written, QString* error)
{
    *written = 0;
    const SqlCondition where = filterCondition(filter);
    QString channels;
    QString joins;
    for (int position = 1; position <= 3; ++position) {
        channels += QStringLiteral(", c%1.channel, c%1.errors").arg(position);
        joins += QStringLiteral(" LEFT JOIN run_channels c%1 ON c%1.run_id = r.run_id"
                                " AND c%1.position = %1")
                     .arg(position);
    }
    const QString sql = QStringLiteral("SELECT r.started_at, r.ended_at, r.unit, r.port, r.run,"
                                       " r.outcome, r.ended_in, r.errors, r.firmware,"
                                       " r.station_type, r.configuration%1, r.station"
                                       " FROM runs r%2 WHERE %3"
                                       " ORDER BY r.started_utc, r.run_id")
                            .arg(channels, joins, where.text);
    QSqlQuery query(db);
    if (!runQuery(query, sql, where.values, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    file.write(runsCsvHeader());
    while (query.next()) {
        QStringList fields;
        for (int column = 0; column < 17; ++column)
            fields << fieldText(query.value(column));
        fields << QString() << fieldText(query.value(17));
        file.write(runsCsvRow(fields));
        ++*written;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
