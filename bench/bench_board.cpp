// Results board on a store of 100,000 runs: the time from opening the board to its figures on
// screen, the same for the last seven days, and the memory the board adds. Figures only.
#include "board/ResultsBoard.h"
#include "support/ResultsRuns.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

namespace
{
constexpr int runCount = 100000;

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void figure(const QString& name, const QString& value)
{
    std::printf("FIGURE\t%s\t%s\t\t-\n", qPrintable(name), qPrintable(value));
    std::fflush(stdout);
}

// A week of runs on four stations: most units pass at once, some are tested again, some runs
// are aborted or stopped, and every radio test records three channels.
QList<BoardRun> week()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList steps{"Establishing Communication", "Writing Configuration", "Radio Test"};
    QList<BoardRun> runs;
    runs.reserve(runCount);
    for (int i = 0; i < runCount; ++i) {
        BoardRun run = passedRun(QStringLiteral("U-%1").arg(i * 7 / 10, 6, 10, QLatin1Char('0')),
                                 now.addSecs(-qint64(i) * 6));
        run.runId = QStringLiteral("run-%1").arg(i);
        run.station = QStringLiteral("station-%1").arg(i % 4);
        run.run = ResultsFilter::runNames().at(i % 6);
        if (i % 11 == 0) {
            run.outcome = i % 2 ? "aborted" : "stopped";
            run.endedIn = steps.at(i % 3);
        }
        if (run.run == QLatin1String("Test")) {
            run.errors = i % 13 == 0 ? 3 : 0;
            run.channels = {{1, 16, 0}, {2, 32, run.errors}, {3, 48, 0}};
        }
        run.log = QString(400, QLatin1Char('l'));
        runs << run;
    }
    return runs;
}

double secondsFor(ResultsBoard& board, const std::function<void()>& start)
{
    QSignalSpy shown(&board, &ResultsBoard::figuresShown);
    QElapsedTimer clock;
    clock.start();
    start();
    while (shown.isEmpty() && clock.elapsed() < 600000)
        shown.wait(100);
    return clock.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("%u cores, %s build\n", std::thread::hardware_concurrency(), ROVIZEZ_BUILD_TYPE);

    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("store.db"));
    QElapsedTimer filling;
    filling.start();
    if (!writeResultsStore(store, week()))
        return 1;
    figure(QStringLiteral("store filled (%1 runs)").arg(runCount),
           QStringLiteral("%1 s").arg(filling.elapsed() / 1000.0, 0, 'f', 1));

    const qint64 before = residentKb();
    std::unique_ptr<ResultsBoard> board;
    const double opening =
        secondsFor(*(board = std::make_unique<ResultsBoard>(store)), [&] { board->show(); });
    figure(QStringLiteral("board open to its figures (Today)"),
           QStringLiteral("%1 s").arg(opening, 0, 'f', 2));
    auto* period = board->findChild<QComboBox*>(QStringLiteral("period"));
    const double week7 = secondsFor(*board, [&] { period->setCurrentIndex(2); });
    figure(QStringLiteral("figures of the last 7 days (%1 runs)").arg(runCount),
           QStringLiteral("%1 s").arg(week7, 0, 'f', 2));
    figure(QStringLiteral("memory the board adds (RSS)"),
           QStringLiteral("%1 MB").arg((residentKb() - before) / 1024.0, 0, 'f', 1));
    return 0;
}
