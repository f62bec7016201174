// One chart of the board with its numbers: a title, a "Table" toggle and, in one place, either the
// chart or a table of the same figures that a screen reader can read.
#pragma once

#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;
class QStackedWidget;
class QTableWidget;
class QToolButton;

class ChartPanel : public QWidget
{
    Q_OBJECT
public:
    // name: the control name the panel's parts are named after ("hourly" gives "hourlyChart",
    // "hourlyTable", "hourlyTableToggle").
    ChartPanel(const QString& name, const QString& title, QWidget* parent = nullptr);

    // Shows chart (the panel owns it from now on) and the table of the same figures.
    void setFigures(QChart* chart, const QStringList& headers, const QList<QStringList>& rows);

    QChartView* chartView() const { return m_view; }
    QTableWidget* table() const { return m_table; }

private:
    QString m_title;
    QToolButton* m_toggle;
    QStackedWidget* m_stack;
    QChartView* m_view;
    QTableWidget* m_table;
};
