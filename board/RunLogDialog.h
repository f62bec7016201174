// A run's record and log, read-only, with buttons to copy the log or save it to a file.
#pragma once

#include "results/RunsPage.h"

#include <QDialog>

class QPlainTextEdit;

class RunLogDialog : public QDialog
{
    Q_OBJECT
public:
    // The view shows the first viewLimit characters of a longer log; Copy and Save take it whole.
    static constexpr qsizetype viewLimit = 1 << 20;
    // Lines longer than this are broken in the view so that it lays out quickly.
    static constexpr qsizetype viewLineLimit = 4096;

    explicit RunLogDialog(const RunDetail& detail, QWidget* parent = nullptr);

    // What the view shows of a log.
    static QString viewText(const QString& log);

private:
    void saveToFile();

    QString m_log;
    QString m_fileName;
};
