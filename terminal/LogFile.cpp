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

QString writeShownLog(const MsgLog& log, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray text = log.shownUtf8();
    if (file.write(text) != text.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
