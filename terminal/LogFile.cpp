// Saving the message window's lines: the file name offered and the all-or-nothing write.
#include "terminal/LogFile.h"

#include <QSaveFile>

QString logFileName(const QString& runName, const QDateTime& time)
{
    const QString name = runName.isEmpty() ? QStringLiteral("Log") : runName;
    return name + QLatin1Char('-') + time.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           QStringLiteral(".txt");
}

MsgLog detachedCopy(const MsgLog& log)
{
    MsgLog copy = log;
    copy.setObserver(nullptr);
    return copy;
}

QByteArray savedLogText(const MsgLog& log, bool withTimes)
{
    if (!withTimes)
        return log.shownUtf8();
    const auto day = [](qint64 ms) {
        return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd"));
    };
    const QString first = day(log.lineTime(0));
    const QString last = day(log.lineTime(log.lineCount() - 1));
    QString date = QStringLiteral("Date: ") + first;
    if (last != first)
        date += QStringLiteral(" to ") + last;
    return date.toUtf8() + '\n' + log.shownUtf8(true);
}

QString writeShownLog(const MsgLog& log, const QString& path, bool withTimes)
{
    return writeFileWhole(path, savedLogText(log, withTimes));
}

QString writeFileWhole(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(text) != text.size()) {
        QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
