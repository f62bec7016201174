// Ending the program: the one function every path uses (the exit command, internal errors).
#pragma once

#include <functional>

// The exit status of a program ended by an internal error.
inline constexpr int kInternalErrorStatus = 70;

// Runs the registered last action (closing the port without sending), then ends the process at
// once with that status: no further handler of the window runs.
[[noreturn]] void endProgram(int status = 0);

// The action endProgram runs first; the window registers closing its port.
void setBeforeProgramEnd(std::function<void()> action);
