// Immediate end of the process after releasing the port.
#include "platform/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace
{
std::function<void()>& beforeEnd()
{
    static std::function<void()> action;
    return action;
}
} // namespace

void setBeforeProgramEnd(std::function<void()> action)
{
    beforeEnd() = std::move(action);
}

void endProgram(int status)
{
    if (beforeEnd())
        beforeEnd()();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
