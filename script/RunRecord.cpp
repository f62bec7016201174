// A run's record: its row in the results table, the table's and the log's file names, and the
// next unit label.
#include "script/RunRecord.h"

#include <QStringList>

namespace
{
// A cell a spreadsheet would run as a formula (a label scanned as "=HYPERLINK(...)", or one
// beginning with +, -, @, a tab or a CR) gets a leading apostrophe, so that it stays text.
QString guardedCell(const QString& text)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && kFormulaStarts.contains(text.front()) ? QLatin1Char('\'') + text
                                                                    : text;
}

QByteArray csvField(const QString& text)
{
    QByteArray field = guardedCell(text).toUtf8();
    const bool quoted = field.contains(',') || field.contains('"') || field.contains('\n') ||
                        field.contains('\r') || field.startsWith(' ') || field.endsWith(' ');
    if (!quoted)
        return field;
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

QByteArray csvRow(const QStringList& fields)
{
    QByteArray row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += ',';
        row += csvField(fields.at(i));
    }
    return row + "\r\n";
}
} // namespace

QString outcomeWord(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Completed:
        return QStringLiteral("completed");
    case RunOutcome::Aborted:
        return QStringLiteral("aborted");
    case RunOutcome::Stopped:
        return QStringLiteral("stopped");
    }
    return {};
}

QString isoLocalTime(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray resultsHeader()
{
    return QByteArrayLiteral("start,end,unit,port,run,outcome,aborted_in,errors,firmware,station,"
                             "configuration,ch1,ch1_errors,ch2,ch2_errors,ch3,ch3_errors,"
                             "log_file\r\n");
}

QByteArray resultsRow(const RunRecord& record)
{
    QStringList fields{isoLocalTime(record.start),
                       isoLocalTime(record.end),
                       record.unit,
                       record.port,
                       record.run,
                       outcomeWord(record.outcome),
                       record.abortedIn,
                       QString::number(record.errors),
                       record.firmware,
                       record.station,
                       record.configuration};
    for (int i = 0; i < 3; ++i) {
        if (i < record.channels.size())
            fields << QString::number(record.channels.at(i).number)
                   << QString::number(record.channels.at(i).errors);
        else
            fields << QString() << QString();
    }
    fields << record.logFile;
    return csvRow(fields);
}

QString resultsFileName(const QDate& day)
{
    return QStringLiteral("results-") + day.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".csv");
}

QString recordFileName(const QString& run, const QString& unit, const QDateTime& start)
{
    QString label = unit.left(64);
    for (QChar& c : label) {
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    QString name = run;
    if (!label.isEmpty())
        name += QLatin1Char('-') + label;
    return name + QLatin1Char('-') + start.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           QStringLiteral(".txt");
}

QString nextUnitLabel(const QString& last)
{
    qsizetype digits = 0;
    while (digits < last.size() && last.at(last.size() - 1 - digits).isDigit() &&
           last.at(last.size() - 1 - digits).unicode() < 128)
        ++digits;
    if (digits == 0)
        return last;
    QString number = last.right(digits);
    // Counts up in place from the last digit, carrying as on paper; all nines grow a digit.
    qsizetype i = number.size() - 1;
    for (; i >= 0; --i) {
        if (number.at(i) != QLatin1Char('9')) {
            number[i] = QChar(number.at(i).unicode() + 1);
            break;
        }
        number[i] = QLatin1Char('0');
    }
    if (i < 0)
        number.prepend(QLatin1Char('1'));
    return last.left(last.size() - digits) + number;
}
