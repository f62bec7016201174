// Which runs the results look at: a period in UTC, one station or all, one run or all, a unit.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

struct ResultsFilter {
    enum class Period { Today, ThisShift, Last7Days, Between };

    QDateTime fromUtc;  // first instant inside the period
    QDateTime toUtc;    // first instant after it
    QString station;    // empty: every station
    QString run;        // empty: every run, else one of runNames()
    QString unitSearch; // empty: every unit, else the runs whose label holds this text

    // The period as the board offers it, at the time now: Today from local midnight, This Shift
    // the last eight hours, Last 7 Days the last seven days; the end lies a minute past now so
    // that a run ending as the board asks is inside. Between runs from local midnight of from to
    // the local midnight after until (until is inclusive); the dates are swapped when reversed.
    static ResultsFilter forPeriod(Period period, const QDateTime& now, QDate from = {},
                                   QDate until = {});

    // The six runs a station records, in the order the program offers them.
    static QStringList runNames();
};

// "yyyy-MM-ddTHH:mm:ss.zzzZ", the form of started_utc, which sorts as text.
QString utcKey(const QDateTime& time);
