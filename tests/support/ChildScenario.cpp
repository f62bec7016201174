// Scenarios that end the program, run in a child process of the test program itself.
#include "support/ChildScenario.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

namespace ChildScenario
{
namespace
{
const char* const kVariable = "ROVIZEZ_TEST_SCENARIO";
} // namespace

Outcome run(const QByteArray& scenario)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kVariable), QString::fromLatin1(scenario));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    Outcome outcome;
    outcome.finished = child.waitForFinished(60000);
    outcome.crashed = child.exitStatus() != QProcess::NormalExit;
    outcome.exitCode = child.exitCode();
    outcome.output =
        QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return outcome;
}

QByteArray current()
{
    return qgetenv(kVariable);
}

void print(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace ChildScenario
