// Charts of the results: stacked hourly runs, the Pareto of failures, channel errors and the
// stations' yields.
#include "board/ResultCharts.h"

#include "board/ChartPanel.h"
#include "results/ResultsText.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <cmath>

namespace
{
const QColor passedColor(0x2e, 0x9e, 0x44);
const QColor errorsColor(0xf0, 0xa2, 0x02);
const QColor failedColor(0xd2, 0x2f, 0x27);

QBarSet* barSet(const QString& name, const QColor& color)
{
    auto* set = new QBarSet(name);
    set->setColor(color);
    set->setBorderColor(color);
    return set;
}

// Category axis at the bottom and a count axis at the left, both attached to series.
void addAxes(QChart* chart, QAbstractSeries* series, const QStringList& categories, qreal top,
             const QString& valueTitle)
{
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    auto* y = new QValueAxis;
    // Counts are whole: a small count gets one tick per unit, so that no two ticks read alike.
    const int most = std::max(1, static_cast<int>(std::ceil(top)));
    y->setRange(0, most);
    if (most <= 10)
        y->setTickCount(most + 1);
    else
        y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(valueTitle);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

// A label of at most 40 characters that no earlier label of the axis has: a category axis drops
// repeated labels, which would shift every bar after them.
QString axisLabel(const QString& text, const QStringList& earlier)
{
    QString label = text.left(40);
    for (int n = 2; earlier.contains(label); ++n)
        label = text.left(36) + QStringLiteral(" (%1)").arg(n);
    return label;
}

QString percent(double share)
{
    return QStringLiteral("%1 %").arg(std::lround(share * 100));
}
} // namespace

QStringList hourLabels(const QList<ResultFigures::Hour>& hours)
{
    bool oneDay = true;
    for (const ResultFigures::Hour& hour : hours)
        oneDay = oneDay && hour.hour.left(10) == hours.first().hour.left(10);
    QStringList labels;
    for (const ResultFigures::Hour& hour : hours)
        labels << (oneDay ? QString() : hour.hour.mid(5, 5) + QLatin1Char(' ')) +
                      hour.hour.mid(11, 2) + QStringLiteral(":00");
    return labels;
}

void showHourlyRuns(ChartPanel* panel, const ResultFigures& figures)
{
    auto* chart = new QChart;
    auto* series = new QStackedBarSeries;
    QBarSet* passed = barSet(QObject::tr("Passed"), passedColor);
    QBarSet* errors = barSet(QObject::tr("Completed with errors"), errorsColor);
    QBarSet* failed = barSet(QObject::tr("Aborted or stopped"), failedColor);
    const QStringList labels = hourLabels(figures.hours);
    QList<QStringList> rows;
    qint64 top = 0;
    for (qsizetype i = 0; i < figures.hours.size(); ++i) {
        const ResultFigures::Hour& hour = figures.hours.at(i);
        *passed << qreal(hour.passed);
        *errors << qreal(hour.withErrors);
        *failed << qreal(hour.abortedOrStopped);
        top = std::max(top, hour.runs());
        rows << QStringList{labels.at(i), QString::number(hour.passed),
                            QString::number(hour.withErrors),
                            QString::number(hour.abortedOrStopped)};
    }
    series->append({passed, errors, failed});
    chart->addSeries(series);
    // The axis names the hour without ":00" and turns its labels upright past half a day.
    QStringList axis;
    for (const QString& label : labels)
        axis << label.chopped(3);
    addAxes(chart, series, axis, qreal(top), QObject::tr("Runs"));
    if (axis.size() > 12)
        static_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())->setLabelsAngle(-90);
    panel->setFigures(chart,
                      {QObject::tr("Hour"), QObject::tr("Passed"),
                       QObject::tr("Completed with errors"), QObject::tr("Aborted or stopped")},
                      rows);
}

void showPareto(ChartPanel* panel, const ResultFigures& figures)
{
    auto* chart = new QChart;
    auto* bars = new QBarSeries;
    QBarSet* runs = barSet(QObject::tr("Runs"), failedColor);
    auto* cumulative = new QLineSeries;
    cumulative->setName(QObject::tr("Cumulative share"));
    QStringList causes;
    QList<QStringList> rows;
    qint64 top = 0;
    for (qsizetype i = 0; i < figures.pareto.size(); ++i) {
        const ResultFigures::Cause& cause = figures.pareto.at(i);
        *runs << qreal(cause.runs);
        cumulative->append(qreal(i), cause.cumulativeShare * 100);
        top = std::max(top, cause.runs);
        // A category label must be unique and short enough for the axis; the table holds it whole.
        causes << QStringLiteral("%1. %2").arg(i + 1).arg(cause.step.left(40));
        rows << QStringList{cause.step, QString::number(cause.runs),
                            percent(cause.cumulativeShare)};
    }
    bars->append(runs);
    chart->addSeries(bars);
    chart->addSeries(cumulative);
    addAxes(chart, bars, causes, qreal(top), QObject::tr("Runs"));
    cumulative->attachAxis(chart->axes(Qt::Horizontal).first());
    auto* share = new QValueAxis;
    share->setRange(0, 100);
    share->setLabelFormat(QStringLiteral("%d %"));
    chart->addAxis(share, Qt::AlignRight);
    cumulative->attachAxis(share);
    panel->setFigures(
        chart, {QObject::tr("Ended"), QObject::tr("Runs"), QObject::tr("Cumulative share")}, rows);
}

void showChannelErrors(ChartPanel* panel, const ResultFigures& figures)
{
    auto* chart = new QChart;
    auto* series = new QBarSeries;
    QBarSet* errors = barSet(QObject::tr("Errors"), errorsColor);
    QStringList channels;
    QList<QStringList> rows;
    qint64 top = 0;
    for (const ResultFigures::Channel& channel : figures.channels) {
        *errors << qreal(channel.errors);
        top = std::max(top, channel.errors);
        channels << QStringLiteral("Ch# %1").arg(channel.channel);
        rows << QStringList{channels.last(), QString::number(channel.errors)};
    }
    series->append(errors);
    chart->addSeries(series);
    addAxes(chart, series, channels, qreal(top), QObject::tr("Errors"));
    panel->setFigures(chart, {QObject::tr("Channel"), QObject::tr("Errors")}, rows);
}

void showStationYields(ChartPanel* panel, const ResultFigures& figures)
{
    auto* chart = new QChart;
    auto* series = new QBarSeries;
    QBarSet* yields = barSet(QObject::tr("First-pass yield"), passedColor);
    QStringList stations;
    QList<QStringList> rows;
    for (const ResultFigures::Station& station : figures.stations) {
        const std::optional<double> yield = station.firstPassYield();
        *yields << (yield ? *yield * 100 : 0);
        stations << axisLabel(station.station, stations);
        rows << QStringList{station.station, QString::number(station.units), yieldText(yield)};
    }
    series->append(yields);
    chart->addSeries(series);
    addAxes(chart, series, stations, 100, QObject::tr("%"));
    panel->setFigures(
        chart,
        {QObject::tr("Station"), QObject::tr("Units tested"), QObject::tr("First-pass yield")},
        rows);
}
