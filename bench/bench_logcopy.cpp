// "Copy to Clipboard" of a long log: time, peak memory while the text is made, and the memory
// kept afterwards, with a million lines received in "chars" and in "hex" mode.
//   bench_logcopy [--lines N]
#include "bench/BenchSupport.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"
#include "terminal/MsgLog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <cstdio>

namespace
{

int g_lines = 1'000'000;

// A million rows as received bytes make them: 58 characters and CR LF a line in "chars" mode,
// 20 bytes (60 characters) a row in "hex" mode.
void fill(MainWin& win, bool hex)
{
    win.session().MsgWin_Clear();
    win.findChild<QComboBox*>("RxShowMode")->setCurrentIndex(hex ? 1 : 0);
    QByteArray line;
    for (int i = 0; i < g_lines; ++i) {
        line = QByteArray::number(i).rightJustified(8, '0') + ' ';
        while (line.size() < (hex ? 20 : 58))
            line += char('a' + line.size() % 26);
        if (!hex)
            line += "\r\n";
        win.session().MsgWin_OutputCooked(line);
        if (i % 100'000 == 99'999)
            QCoreApplication::processEvents();
    }
    EventLoop::runFor(200);
}

void copy(MainWin& win, bool hex)
{
    const QString mode = hex ? QStringLiteral("hex") : QStringLiteral("chars");
    fill(win, hex);
    QGuiApplication::clipboard()->clear();
    EventLoop::runFor(100);
    const qint64 before = Bench::residentKb();
    const bool peakKnown = Bench::resetPeak();
    const qint64 start = Bench::monotonicNs();
    win.findChild<QAction*>("menuLogCopy")->trigger();
    const double seconds = double(Bench::monotonicNs() - start) / 1e9;
    const qint64 peak = Bench::peakResidentKb();
    EventLoop::runFor(100);
    const qint64 after = Bench::residentKb();

    // Two seconds a million lines.
    const double limit = 2.0 * g_lines / 1e6;
    // The text as the clipboard holds it.
    const qint64 textKb =
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")).size() / 1024;
    Bench::note(QStringLiteral("%1 mode: %2 log lines, %3 characters copied, held as %4; "
                               "resident %5 before, %6 at the peak, %7 after")
                    .arg(mode)
                    .arg(WindowDoor(win).MsgLines()->lineCount())
                    .arg(WindowDoor(win).MsgLines()->shownTextLength())
                    .arg(Bench::megabytes(textKb), Bench::megabytes(before),
                         peakKnown ? Bench::megabytes(peak) : QStringLiteral("unknown"),
                         Bench::megabytes(after)));
    const QString name = QStringLiteral("copy of %L1 lines (%2): ").arg(g_lines).arg(mode);
    Bench::figure(name + QStringLiteral("time"), QStringLiteral("%1 s").arg(seconds, 0, 'f', 3),
                  QStringLiteral("<= %1 s").arg(limit, 0, 'g', 3), seconds <= limit);
    const double peakRatio = double(peak - before) / double(textKb);
    Bench::figure(
        name + QStringLiteral("peak extra memory / text"),
        peakKnown ? QStringLiteral("%1").arg(peakRatio, 0, 'f', 2) : QStringLiteral("unknown"),
        QStringLiteral("<= 2"), peakKnown ? std::optional(peakRatio <= 2.0) : std::nullopt);
    const double keptRatio = double(after - before) / double(textKb);
    Bench::figure(name + QStringLiteral("memory kept / text"),
                  QStringLiteral("%1").arg(keptRatio, 0, 'f', 2),
                  QStringLiteral("<= 1.1 (the clipboard's copy)"), keptRatio <= 1.1);
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--lines"));
    if (at > 0 && at + 1 < args.size())
        g_lines = qMax(1, args.at(at + 1).toInt());
    std::printf("Copy to Clipboard of a long log (%s)\n", qPrintable(Bench::machineLine()));

    MainWin win(programPortBackends());
    Bench::showWindow(win);
    copy(win, false);
    copy(win, true);
    Bench::note(QStringLiteral("memory is the whole process's resident set; the text is counted "
                               "as the clipboard holds it"));
    return 0;
}
