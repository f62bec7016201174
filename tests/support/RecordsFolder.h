// Keeping records in tests: a fresh folder, the answers to the folder chooser, the unit prompt
// and the choice box, and readers for the files the records put there.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// While it exists, the folder chooser answers with the queued folders (cancelling when none is
// left), the unit prompt with the queued labels (cancelling when none is left) and the choice
// box with the queued choices (the last button when none is left). Each prompt is recorded.
class RecordsFolder
{
public:
    RecordsFolder();
    ~RecordsFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    QStringList folderAnswers;
    QList<std::optional<QString>> unitAnswers;
    QList<int> choiceAnswers;
    // The prefilled label of every unit prompt, in order.
    QStringList unitPrefills;
    int folderPrompts = 0;
    int choicePrompts = 0;

    // The folder's files of that suffix, sorted by name.
    QStringList files(const QString& suffix) const;
    QByteArray contents(const QString& name) const;
    // The rows of today's results table, each split into its fields (RFC 4180).
    QList<QStringList> resultsRows() const;

private:
    Q_DISABLE_COPY(RecordsFolder)

    QTemporaryDir m_dir;
};

// Splits an RFC 4180 text into rows of fields; nothing for a text that is not well formed.
std::optional<QList<QStringList>> parseCsv(const QByteArray& text);
