// The results board: a window of the station's figures, charts and runs for a period, read by
// the results worker in its own thread from the server or the station's store.
#pragma once

#include "results/ResultFigures.h"
#include "results/ResultsFilter.h"
#include "results/ResultsSource.h"
#include "results/RunsPage.h"

#include <QMainWindow>

class ChartPanel;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;
class ResultsThread;
class RunsModel;

class ResultsBoard : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int refreshMs = 30000;

    explicit ResultsBoard(const QString& storePath, const ServerSettings& server = {},
                          QWidget* parent = nullptr);
    ~ResultsBoard() override;

    // Reads from now on from this store and, when its host is set, this server first.
    void setSource(const QString& storePath, const ServerSettings& server = {});

    // The chosen period, station and run as of now; the unit search narrows only the runs table.
    ResultsFilter filter() const;

public slots:
    // Reads the figures, the runs and the stations again: when a run ends, and every 30 s.
    void refresh();

signals:
    // The figures of the latest request are on the board.
    void figuresShown();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildFilters();
    QWidget* buildFigures();
    QWidget* buildCharts();
    QWidget* buildRuns();
    void periodChosen();
    void reloadRuns();
    void showFigures(quint64 ticket, const ResultFigures& figures, const SourceState& source);
    void showPage(quint64 ticket, qint64 offset, const QList<RunRow>& rows);
    void showStations(const QStringList& stations);
    void showFailure(quint64 ticket, const QString& message);
    void setFigure(const QString& name, const QString& value);
    void exportRuns();
    void saveReport();

    ResultsThread* m_thread;
    RunsModel* m_model;
    QComboBox* m_period = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_until = nullptr;
    QComboBox* m_station = nullptr;
    QComboBox* m_run = nullptr;
    QLineEdit* m_search = nullptr;
    QTableView* m_runs = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_noRuns = nullptr;
    QLabel* m_status = nullptr;
    QList<ChartPanel*> m_panels;
    ChartPanel* m_stationPanel = nullptr;
    QTimer* m_timer;
    QTimer* m_searchDelay;
    ResultFigures m_figures;
    quint64 m_figuresTicket = 0;
    quint64 m_pageTicket = 0;
    quint64 m_detailTicket = 0;
    quint64 m_exportTicket = 0;
};
