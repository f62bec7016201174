// The results board: filters at the top, the figures beneath them, then the charts and the runs.
#include "board/ResultsBoard.h"

#include "board/BoardReport.h"
#include "board/ChartPanel.h"
#include "board/ResultCharts.h"
#include "board/RunLogDialog.h"
#include "board/RunsModel.h"
#include "results/ResultsText.h"
#include "results/ResultsThread.h"
#include "results/ResultsWorker.h"

#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
struct FigureName {
    const char* name;
    const char* caption;
};
const FigureName figureNames[] = {
    {"unitsTested", "Units tested"}, {"runs", "Runs"},       {"firstPassYield", "First-pass yield"},
    {"finalYield", "Final yield"},   {"retests", "Retests"}, {"aborted", "Aborted"},
    {"stopped", "Stopped"}};

// The most rows a refresh reads again so that the table keeps what the user scrolled to.
constexpr int refreshRowLimit = 10000;

QLabel* captionFor(QWidget* control, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}
} // namespace

ResultsBoard::ResultsBoard(const QString& storePath, const ServerSettings& server, QWidget* parent)
    : QMainWindow(parent), m_thread(new ResultsThread(this)), m_model(new RunsModel(this)),
      m_timer(new QTimer(this)), m_searchDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("resultsBoard"));
    setWindowTitle(tr("Modem Config - Results"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildFilters());
    layout->addWidget(buildFigures());
    m_source = new QLabel(central);
    m_source->setObjectName(QStringLiteral("source"));
    m_noRuns = new QLabel(tr("No runs recorded in this period"), central);
    m_noRuns->setObjectName(QStringLiteral("noRuns"));
    m_noRuns->hide();
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("status"));
    auto* lines = new QHBoxLayout;
    lines->addWidget(m_source);
    lines->addWidget(m_noRuns);
    lines->addStretch(1);
    lines->addWidget(m_status);
    layout->addLayout(lines);
    auto* splitter = new QSplitter(Qt::Vertical, central);
    splitter->setObjectName(QStringLiteral("boardSplitter"));
    splitter->addWidget(buildCharts());
    splitter->addWidget(buildRuns());
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    resize(1200, 900);

    ResultsWorker* worker = m_thread->worker();
    connect(worker, &ResultsWorker::figuresReady, this, &ResultsBoard::showFigures);
    connect(worker, &ResultsWorker::pageReady, this,
            [this](quint64 ticket, qint64 offset, const QList<RunRow>& rows, const SourceState&) {
                showPage(ticket, offset, rows);
            });
    connect(worker, &ResultsWorker::stationsReady, this,
            [this](quint64, const QStringList& stations) { showStations(stations); });
    connect(worker, &ResultsWorker::detailReady, this,
            [this](quint64 ticket, const RunDetail& detail) {
                if (ticket != m_detailTicket || !detail.found)
                    return;
                auto* dialog = new RunLogDialog(detail, this);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                dialog->open();
            });
    connect(worker, &ResultsWorker::exportDone, this,
            [this](quint64, qint64 rows, const QString& path) {
                m_status->setText(tr("%n run(s) exported to %1", nullptr, int(rows)).arg(path));
            });
    connect(worker, &ResultsWorker::failed, this,
            [this](quint64 ticket, const QString& message, const SourceState&) {
                showFailure(ticket, message);
            });
    connect(m_model, &RunsModel::moreWanted, this, [this](qint64 offset) {
        ResultsFilter runs = filter();
        runs.unitSearch = m_search->text().trimmed();
        m_pageTicket = m_thread->askPage(runs, offset, RunsModel::pageSize);
    });

    m_timer->setObjectName(QStringLiteral("refreshTimer"));
    m_timer->setInterval(refreshMs);
    connect(m_timer, &QTimer::timeout, this, &ResultsBoard::refresh);
    m_searchDelay->setSingleShot(true);
    m_searchDelay->setInterval(300);
    connect(m_searchDelay, &QTimer::timeout, this, &ResultsBoard::reloadRuns);

    setSource(storePath, server);
}

ResultsBoard::~ResultsBoard() = default;

QWidget* ResultsBoard::buildFilters()
{
    auto* box = new QWidget(this);
    m_period = new QComboBox(box);
    m_period->setObjectName(QStringLiteral("period"));
    m_period->addItems({tr("Today"), tr("This Shift"), tr("Last 7 Days"), tr("Between Dates")});
    m_from = new QDateEdit(QDate::currentDate(), box);
    m_from->setObjectName(QStringLiteral("fromDate"));
    m_until = new QDateEdit(QDate::currentDate(), box);
    m_until->setObjectName(QStringLiteral("untilDate"));
    for (QDateEdit* edit : {m_from, m_until}) {
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
        connect(edit, &QDateEdit::dateChanged, this, &ResultsBoard::refresh);
    }
    m_station = new QComboBox(box);
    m_station->setObjectName(QStringLiteral("station"));
    m_station->addItem(tr("All stations"), QString());
    m_station->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_station->setMinimumContentsLength(16);
    m_run = new QComboBox(box);
    m_run->setObjectName(QStringLiteral("run"));
    m_run->addItem(tr("All runs"), QString());
    for (const QString& run : ResultsFilter::runNames())
        m_run->addItem(run, run);
    connect(m_period, &QComboBox::currentIndexChanged, this, &ResultsBoard::periodChosen);
    connect(m_station, &QComboBox::currentIndexChanged, this, &ResultsBoard::refresh);
    connect(m_run, &QComboBox::currentIndexChanged, this, &ResultsBoard::refresh);

    auto* refreshButton = new QPushButton(tr("Refresh"), box);
    refreshButton->setObjectName(QStringLiteral("refresh"));
    connect(refreshButton, &QPushButton::clicked, this, &ResultsBoard::refresh);
    auto* exportButton = new QPushButton(tr("Export Runs..."), box);
    exportButton->setObjectName(QStringLiteral("exportRuns"));
    connect(exportButton, &QPushButton::clicked, this, &ResultsBoard::exportRuns);
    auto* reportButton = new QPushButton(tr("Save Report..."), box);
    reportButton->setObjectName(QStringLiteral("saveReport"));
    connect(reportButton, &QPushButton::clicked, this, &ResultsBoard::saveReport);

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionFor(m_period, tr("&Period"), box));
    layout->addWidget(m_period);
    layout->addWidget(captionFor(m_from, tr("&From"), box));
    layout->addWidget(m_from);
    layout->addWidget(captionFor(m_until, tr("&Until"), box));
    layout->addWidget(m_until);
    layout->addWidget(captionFor(m_station, tr("S&tation"), box));
    layout->addWidget(m_station);
    layout->addWidget(captionFor(m_run, tr("&Run"), box));
    layout->addWidget(m_run);
    layout->addStretch(1);
    layout->addWidget(refreshButton);
    layout->addWidget(exportButton);
    layout->addWidget(reportButton);
    return box;
}

QWidget* ResultsBoard::buildFigures()
{
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 6, 0, 6);
    for (const FigureName& figure : figureNames) {
        auto* value = new QLabel(QStringLiteral("\u2014"), box);
        value->setObjectName(QLatin1String(figure.name));
        QFont font = value->font();
        font.setPointSizeF(font.pointSizeF() * 1.6);
        font.setBold(true);
        value->setFont(font);
        value->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::TabFocus);
        auto* caption = captionFor(value, tr(figure.caption), box);
        caption->setObjectName(QLatin1String(figure.name) + QStringLiteral("Caption"));
        layout->addWidget(caption);
        layout->addWidget(value);
        layout->addSpacing(18);
        setFigure(QLatin1String(figure.name), value->text());
    }
    layout->addStretch(1);
    return box;
}

QWidget* ResultsBoard::buildCharts()
{
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panels = {
        new ChartPanel(QStringLiteral("hourly"), tr("Runs per hour"), box),
        new ChartPanel(QStringLiteral("pareto"), tr("Where runs did not pass"), box),
        new ChartPanel(QStringLiteral("channels"), tr("Errors per channel"), box),
        new ChartPanel(QStringLiteral("stations"), tr("First-pass yield per station"), box)};
    m_stationPanel = m_panels.last();
    for (int i = 0; i < m_panels.size(); ++i)
        layout->addWidget(m_panels.at(i), i / 2, i % 2);
    m_stationPanel->hide();
    return box;
}

QWidget* ResultsBoard::buildRuns()
{
    auto* box = new QWidget(this);
    m_search = new QLineEdit(box);
    m_search->setObjectName(QStringLiteral("unitSearch"));
    m_search->setPlaceholderText(tr("Part of a unit label"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, m_searchDelay, qOverload<>(&QTimer::start));
    m_runs = new QTableView(box);
    m_runs->setObjectName(QStringLiteral("runs"));
    m_runs->setAccessibleName(tr("Runs"));
    m_runs->setAccessibleDescription(tr("Newest first; Enter or a double click opens the log"));
    m_runs->setModel(m_model);
    m_runs->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_runs->setSelectionMode(QAbstractItemView::SingleSelection);
    m_runs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_runs->setWordWrap(false);
    m_runs->setTextElideMode(Qt::ElideRight);
    m_runs->verticalHeader()->hide();
    m_runs->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_runs->horizontalHeader()->setDefaultSectionSize(130);
    m_runs->horizontalHeader()->setStretchLastSection(true);
    m_runs->setColumnWidth(
        0,
        m_runs->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-09T14:15:02+01:00")) + 16);
    connect(m_runs, &QTableView::activated, this, [this](const QModelIndex& index) {
        m_detailTicket = m_thread->askDetail(m_model->runId(index.row()));
    });

    auto* top = new QHBoxLayout;
    top->addWidget(captionFor(m_search, tr("Search &unit"), box));
    top->addWidget(m_search, 1);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_runs, 1);
    return box;
}

void ResultsBoard::setSource(const QString& storePath, const ServerSettings& server)
{
    m_thread->setSource({storePath, server});
    refresh();
}

ResultsFilter ResultsBoard::filter() const
{
    ResultsFilter chosen =
        ResultsFilter::forPeriod(ResultsFilter::Period(m_period->currentIndex()),
                                 QDateTime::currentDateTime(), m_from->date(), m_until->date());
    chosen.station = m_station->currentData().toString();
    chosen.run = m_run->currentData().toString();
    return chosen;
}

void ResultsBoard::refresh()
{
    m_status->setText(tr("Reading the results\u2026"));
    m_figuresTicket = m_thread->askFigures(filter());
    m_thread->askStations();
    reloadRuns();
}

void ResultsBoard::reloadRuns()
{
    ResultsFilter runs = filter();
    runs.unitSearch = m_search->text().trimmed();
    const int rows = std::clamp(m_model->rowCount(), RunsModel::pageSize, refreshRowLimit);
    m_pageTicket = m_thread->askPage(runs, 0, rows);
}

void ResultsBoard::periodChosen()
{
    const bool between = m_period->currentIndex() == int(ResultsFilter::Period::Between);
    m_from->setEnabled(between);
    m_until->setEnabled(between);
    refresh();
}

void ResultsBoard::setFigure(const QString& name, const QString& value)
{
    auto* label = findChild<QLabel*>(name);
    auto* caption = findChild<QLabel*>(name + QStringLiteral("Caption"));
    label->setText(value);
    label->setAccessibleName((caption ? caption->text().remove(QLatin1Char('&')) : name) +
                             QLatin1Char(' ') + value);
}

void ResultsBoard::showFigures(quint64 ticket, const ResultFigures& figures,
                               const SourceState& source)
{
    if (ticket != m_figuresTicket)
        return;
    m_figures = figures;
    setFigure(QStringLiteral("unitsTested"), QString::number(figures.units));
    setFigure(QStringLiteral("runs"), QString::number(figures.runs));
    setFigure(QStringLiteral("firstPassYield"), yieldText(figures.firstPassYield()));
    setFigure(QStringLiteral("finalYield"), yieldText(figures.finalYield()));
    setFigure(QStringLiteral("retests"), QString::number(figures.retests));
    setFigure(QStringLiteral("aborted"), QString::number(figures.aborted));
    setFigure(QStringLiteral("stopped"), QString::number(figures.stopped));
    m_source->setText(sourceLine(source));
    m_noRuns->setVisible(figures.runs == 0);
    m_status->clear();
    showHourlyRuns(m_panels.at(0), figures);
    showPareto(m_panels.at(1), figures);
    showChannelErrors(m_panels.at(2), figures);
    showStationYields(m_stationPanel, figures);
    m_stationPanel->setVisible(figures.stations.size() > 1);
    emit figuresShown();
}

void ResultsBoard::showPage(quint64 ticket, qint64 offset, const QList<RunRow>& rows)
{
    if (ticket != m_pageTicket)
        return;
    if (offset == 0) {
        const int scrolled = m_runs->verticalScrollBar()->value();
        const int asked = std::clamp(m_model->rowCount(), RunsModel::pageSize, refreshRowLimit);
        m_model->reset(rows, rows.size() >= asked);
        m_runs->verticalScrollBar()->setValue(scrolled);
    } else if (offset == m_model->rowCount()) {
        m_model->append(rows, rows.size() >= RunsModel::pageSize);
    }
}

void ResultsBoard::showStations(const QStringList& stations)
{
    const QString chosen = m_station->currentData().toString();
    QStringList held;
    for (int i = 1; i < m_station->count(); ++i)
        held << m_station->itemData(i).toString();
    if (held == stations)
        return;
    const QSignalBlocker quiet(m_station);
    while (m_station->count() > 1)
        m_station->removeItem(1);
    for (const QString& station : stations)
        m_station->addItem(station.left(64), station);
    const int index = m_station->findData(chosen);
    m_station->setCurrentIndex(std::max(index, 0));
    if (index < 0 && !chosen.isEmpty())
        refresh();
}

void ResultsBoard::showFailure(quint64 ticket, const QString& message)
{
    if (ticket == m_figuresTicket || ticket == m_exportTicket) {
        m_status->setText(ticket == m_exportTicket ? tr("Export failed: %1").arg(message)
                                                   : QString());
        if (ticket == m_figuresTicket)
            m_source->setText(message);
    }
}

void ResultsBoard::exportRuns()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export Runs"),
        QStringLiteral("runs-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)),
        tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    ResultsFilter runs = filter();
    runs.unitSearch = m_search->text().trimmed();
    m_status->setText(tr("Exporting the runs\u2026"));
    m_exportTicket = m_thread->askExport(runs, path);
}

void ResultsBoard::saveReport()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Report"),
        QStringLiteral("results-%1.pdf").arg(QDate::currentDate().toString(Qt::ISODate)),
        tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QStringList lines{
        tr("Period: %1").arg(m_period->currentText()),
        tr("Station: %1   Run: %2").arg(m_station->currentText(), m_run->currentText()),
        m_source->text()};
    lines += resultsTextLines(m_figures);
    QList<QWidget*> charts;
    for (ChartPanel* panel : std::as_const(m_panels))
        if (!panel->isHidden())
            charts << panel->chartView();
    QString error;
    m_status->setText(writeBoardReport(path, windowTitle(), lines, charts, &error)
                          ? tr("Report saved to %1").arg(path)
                          : tr("Report not saved: %1").arg(error));
}

void ResultsBoard::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_timer->start();
}

void ResultsBoard::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    m_timer->stop();
}
