// The radio test's progress sentence.
#include "script/RadioTestProgress.h"
#include "script/RadioTestTables.h"

namespace RadioTest
{

QString progressText(int channel, int position, int channelCount, int repetition, int errors)
{
    return QStringLiteral("Ch# %1 (%2 of %3): %4 of %5, %6 %7")
        .arg(channel)
        .arg(position)
        .arg(channelCount)
        .arg(repetition)
        .arg(kRepetitionsPerChannel)
        .arg(errors)
        .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"));
}

} // namespace RadioTest
