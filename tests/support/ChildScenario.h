// Scenarios that end the program, run in a child process of the test program itself.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QStringList>
#include <QTest>

// A case whose scenario ends the program (an internal error, Exit) starts the test program
// again with the scenario's name in the environment; the child plays the scenario alone and
// prints what the case checks on stdout, line by line.
namespace ChildScenario
{

// How the child ended and what it printed.
struct Outcome {
    bool finished = false;
    bool crashed = true;
    int exitCode = -1;
    QStringList output; // the lines of stdout, empty ones left out
};

// Starts this program for the scenario and waits for it to end (a minute at most).
Outcome run(const QByteArray& scenario);

// The scenario this process was started for; empty in the test run itself.
QByteArray current();

// A line on stdout, flushed at once, so that the parent has it even if the program ends next.
void print(const QString& line);

// The child's part: plays a scenario and returns the program's exit code.
using Player = int (*)(int argc, char** argv, const QByteArray& scenario);

// main() of a suite with child scenarios: the scenario when started for one, else the suite.
template <typename Suite> int main(int argc, char** argv, Player player)
{
    const QByteArray scenario = current();
    if (!scenario.isEmpty())
        return player(argc, argv, scenario);
    QApplication app(argc, argv);
    Suite suite;
    return QTest::qExec(&suite, argc, argv);
}

} // namespace ChildScenario
