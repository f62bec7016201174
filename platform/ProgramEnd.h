// Ending the program: the one function every path uses (the exit command, internal errors).
#pragma once

#include <functional>

// Runs the registered last action (closing the port without sending), then ends the process at
// once: no further handler of the window runs.
[[noreturn]] void endProgram();

// The action endProgram runs first; the window registers closing its port.
void setBeforeProgramEnd(std::function<void()> action);
