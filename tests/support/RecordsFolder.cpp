// Keeping records in tests: the answering responders and the readers of the records folder.
#include "support/RecordsFolder.h"
#include "platform/ChoiceBox.h"
#include "platform/FolderDialog.h"
#include "platform/TextPrompt.h"
#include "script/RunRecord.h"

#include <QDate>
#include <QDir>
#include <QFile>

RecordsFolder::RecordsFolder()
{
    setFolderResponder([this](const QString&, const QString&) {
        ++folderPrompts;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    });
    setTextPromptResponder([this](const QString&, const QString&, const QString& prefill) {
        unitPrefills << prefill;
        return unitAnswers.isEmpty() ? std::nullopt : unitAnswers.takeFirst();
    });
    setChoiceResponder([this](const QString&, const QString&, const QStringList& choices) {
        ++choicePrompts;
        return choiceAnswers.isEmpty() ? int(choices.size()) - 1 : choiceAnswers.takeFirst();
    });
}

RecordsFolder::~RecordsFolder()
{
    setFolderResponder({});
    setTextPromptResponder({});
    setChoiceResponder({});
}

QStringList RecordsFolder::files(const QString& suffix) const
{
    return QDir(path()).entryList({QStringLiteral("*.") + suffix}, QDir::Files, QDir::Name);
}

QByteArray RecordsFolder::contents(const QString& name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QList<QStringList> RecordsFolder::resultsRows() const
{
    return parseCsv(contents(resultsFileName(QDate::currentDate()))).value_or(QList<QStringList>{});
}

std::optional<QList<QStringList>> parseCsv(const QByteArray& text)
{
    QList<QStringList> rows;
    QStringList row;
    QByteArray field;
    bool quoted = false;
    bool fieldStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.isEmpty()) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            row << QString::fromUtf8(field);
            field.clear();
            fieldStarted = true;
        } else if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            row << QString::fromUtf8(field);
            rows << row;
            row.clear();
            field.clear();
            fieldStarted = false;
            ++i;
        } else if (c == '"' || c == '\r' || c == '\n') {
            return std::nullopt;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    // Every row ends in CR LF.
    if (quoted || fieldStarted || !field.isEmpty())
        return std::nullopt;
    return rows;
}
