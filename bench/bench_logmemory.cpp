// Log memory: resident memory of the program once its shown message window holds a million
// lines of 40 characters.
#include "bench/BenchSupport.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/WindowDoor.h"
#include "terminal/MsgLog.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Log memory (%s)\n", qPrintable(Bench::machineLine()));

    constexpr int kLines = 1'000'000;
    MainWin win(programPortBackends());
    Bench::showWindow(win);
    const qint64 before = Bench::residentKb();
    for (int i = 0; i < kLines; ++i) {
        // 40 characters, each line its own text: "line 0000000042 " and 24 dots.
        win.session().MsgWin_Output(QStringLiteral("line %1 ").arg(i, 10, 10, QLatin1Char('0')) +
                                    QString(24, QLatin1Char('.')));
        if (i % 1000 == 999)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const qint64 after = Bench::residentKb();

    Bench::note(QStringLiteral("the window holds %1 lines; resident %2 before them, %3 after")
                    .arg(WindowDoor(win).MsgLines()->lineCount())
                    .arg(Bench::megabytes(before), Bench::megabytes(after)));
    Bench::note(QStringLiteral("the lines themselves take %1 (%2 bytes a line)")
                    .arg(Bench::megabytes(after - before))
                    .arg(double(after - before) * 1024.0 / kLines, 0, 'f', 1));
    Bench::figure(QStringLiteral("resident memory with 1,000,000 log lines"),
                  Bench::megabytes(after), QStringLiteral("<= 90 MB"), after <= 90 * 1024);
    return 0;
}
