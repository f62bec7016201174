// How a run ended: clean, with errors, or aborted.
#include "script/RunVerdict.h"

RunVerdict runVerdict(bool aborted, qint16 errors)
{
    if (aborted)
        return RunVerdict::Aborted;
    return errors == 0 ? RunVerdict::Clean : RunVerdict::WithErrors;
}
