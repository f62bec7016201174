// The records folder's files: unused log names and the all-or-nothing row of the results table.
#include "script/RecordFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString freeRecordPath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QString path = dir.filePath(name);
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(base + QLatin1Char('-') + QString::number(n) + suffix);
    return path;
}

QString appendResultsRow(const QString& path, const QByteArray& header, const QByteArray& row)
{
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    // Unbuffered, so that the row goes to the system in one write and a short write is seen.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 before = file.size();
    QByteArray bytes;
    if (before == 0) {
        bytes = header;
    } else {
        // A table last saved by another program may lack its final line break.
        file.seek(before - 1);
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n')
            bytes = "\r\n";
    }
    bytes += row;
    const qint64 written = file.write(bytes);
    if (written == bytes.size())
        return {};
    QString reason =
        file.error() != QFileDevice::NoError
            ? file.errorString()
            : QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                  .arg(qMax<qint64>(written, 0))
                  .arg(bytes.size());
    file.resize(before);
    file.close();
    if (!existed)
        QFile::remove(path);
    return reason;
}
