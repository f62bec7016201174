// The periods of the results board turned into UTC bounds.
#include "results/ResultsFilter.h"

namespace
{
QDateTime localMidnight(QDate day)
{
    return QDateTime(day, QTime(0, 0), Qt::LocalTime).toUTC();
}
} // namespace

ResultsFilter ResultsFilter::forPeriod(Period period, const QDateTime& now, QDate from, QDate until)
{
    ResultsFilter filter;
    const QDateTime end = now.toUTC().addSecs(60);
    switch (period) {
    case Period::Today:
        filter.fromUtc = localMidnight(now.toLocalTime().date());
        filter.toUtc = end;
        break;
    case Period::ThisShift:
        filter.fromUtc = now.toUTC().addSecs(qint64(-8) * 3600);
        filter.toUtc = end;
        break;
    case Period::Last7Days:
        filter.fromUtc = now.toUTC().addDays(-7);
        filter.toUtc = end;
        break;
    case Period::Between:
        if (!from.isValid())
            from = now.toLocalTime().date();
        if (!until.isValid())
            until = from;
        if (until < from)
            std::swap(from, until);
        filter.fromUtc = localMidnight(from);
        filter.toUtc = localMidnight(until.addDays(1));
        break;
    }
    return filter;
}

QStringList ResultsFilter::runNames()
{
    return {QStringLiteral("QueryConfig"), QStringLiteral("RestoreFactory"),
            QStringLiteral("SetChannel"),  QStringLiteral("SetConfig"),
            QStringLiteral("Config"),      QStringLiteral("Test")};
}

QString utcKey(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}
