// Saving the message window's lines to a file: which run they hold, the name offered, the write.
#pragma once

#include "terminal/MsgLog.h"

#include <QDateTime>
#include <QString>

// The run whose lines a log holds: its name ("" for lines of no run) and when it started.
struct RunLabel {
    QString name;
    QDateTime started;
};

// The lines a run cleared from the message window when it started, kept so they can be saved.
struct KeptRunLog {
    RunLabel label;
    MsgLog lines;
};

// The file name offered for a log: the run's name, or "Log" for lines of no run, then the local
// time, e.g. "Test-2026-12-08-141502.txt".
QString logFileName(const QString& runName, const QDateTime& time);

// A copy of the log that tells no list view about anything; the lines are shared until either
// side changes, so copying costs no time.
MsgLog detachedCopy(const MsgLog& log);

// The text of a saved log: the lines as the window shows them (the text "Copy to Clipboard"
// copies), UTF-8 with line feeds. With times, each line starts with its time and a space, and a
// first line gives the date ("Date: 2026-12-09", or "Date: 2026-12-09 to 2026-12-10" when the
// last line's date differs from the first's).
QByteArray savedLogText(const MsgLog& log, bool withTimes);

// Writes text to path. The text goes to a temporary file that takes the place of path only once
// it is complete, so a failed write leaves no partial file and an earlier file as it was.
// Returns an empty text, or the system's reason for the failure.
QString writeFileWhole(const QString& path, const QByteArray& text);

// Writes savedLogText(log, withTimes) to path as writeFileWhole does.
QString writeShownLog(const MsgLog& log, const QString& path, bool withTimes = false);
