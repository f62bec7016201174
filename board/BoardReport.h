// The board as a one-page PDF report: its title, period, source and figures, then its charts.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Writes the page to path; false with the reason in error.
bool writeBoardReport(const QString& path, const QString& title, const QStringList& lines,
                      const QList<QWidget*>& charts, QString* error);
