// The process's choice of port backends.
#include "platform/PortBackends.h"

namespace
{
PortBackends& chosen()
{
    static PortBackends backends;
    return backends;
}
} // namespace

const PortBackends& portBackends()
{
    return chosen();
}

void setPortBackends(PortBackends backends)
{
    chosen() = std::move(backends);
}
