// Line-error statistics: the counters and their views in the Test Console.
#include "session/UnitSession.h"

#include <algorithm>
#include <limits>

void UnitSession::Stat_Inc(qint16 index, qint16 amount)
{
    if (index < 0 || index >= static_cast<qint16>(Stats.size()))
        ReportInternalError(QStringLiteral("Stat_Inc index %1").arg(index));
    qint32& counter = Stats[static_cast<size_t>(index)];
    counter = static_cast<qint32>(std::clamp<qint64>(static_cast<qint64>(counter) + amount,
                                                     std::numeric_limits<qint32>::min(),
                                                     std::numeric_limits<qint32>::max()));
    emit statChanged(index, counter);
}

void UnitSession::Stat_Clear()
{
    Stats.fill(0);
}
