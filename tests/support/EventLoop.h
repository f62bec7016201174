// Running the event loop for a while: the waits of tests and benchmarks.
#pragma once

#include <functional>

namespace EventLoop
{

// Runs the event loop, blocking between events as the window's own waits do, until the
// condition holds or ms have passed; returns the condition. QTest::qWait sleeps 10 ms between
// passes, which is coarse beside the line times of the simulated modem.
bool runUntil(const std::function<bool()>& condition, int ms);
void runFor(int ms);

} // namespace EventLoop
