// A run as the record suites store and forward it: every field set, each one telling.
#pragma once

#include "records/StoredRun.h"

// Run number n: its id, unit and start follow n; three channels.
inline StoredRun sampleRun(int n)
{
    const QString id =
        QStringLiteral("00000000-0000-0000-0000-%1").arg(n, 12, 10, QLatin1Char('0'));
    const QString minute = QStringLiteral("%1").arg(n % 60, 2, 10, QLatin1Char('0'));
    return {id,
            "bench-2",
            "mkovac",
            "1.05.1",
            QStringLiteral("U-%1").arg(n),
            "/dev/ttyUSB0",
            "Test",
            "aborted",
            "radio test",
            n % 3,
            "1.30",
            "mobile",
            "FAST-MultiMode",
            "2026-12-09T14:" + minute + ":02+01:00",
            "2026-12-09T14:" + minute + ":43+01:00",
            "2026-12-09T13:" + minute + ":02.000Z",
            "> V\n< 1.30 OK",
            {{1, 12, 0}, {2, 32, n % 2}, {3, 16, 1}}};
}
