// The radio test's progress as the operator reads it beside the state line.
#pragma once

#include <QString>

namespace RadioTest
{

// "Ch# 40 (2 of 3): 12 of 24, 1 error": the channel, its place among the channels tested
// (counted from 1), the repetition under way (0 before the first) and the channel's errors so far.
QString progressText(int channel, int position, int channelCount, int repetition, int errors);

} // namespace RadioTest
