// Forwarding for a command-line program: one pass, bounded in time.
#pragma once

#include "records/Forwarding.h"

// Opens the store at storePath and forwards what waits in it, as forwardWaiting(), in a thread of
// its own; returns when the pass ends or when deadlineMs has passed, whichever is first.
//
// At the deadline the pass is told to stop before its next batch and the call returns without
// joining it: the thread may sit inside libpq opening a connection (up to the connect timeout),
// and nothing can cut that short from outside. The thread owns everything it uses (its own store
// and server connections, a shared control block), so it ends on its own or with the process.
// Nothing is lost either way: runs are marked forwarded only after the server committed them,
// and a batch sent twice is kept once by the server.
ForwardReport forwardWithin(const QString& storePath, const QString& uri, const QString& password,
                            int deadlineMs);
