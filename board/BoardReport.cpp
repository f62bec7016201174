// Painting the report page: text lines at the top, the charts two by two beneath them.
#include "board/BoardReport.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QWidget>

bool writeBoardReport(const QString& path, const QString& title, const QStringList& lines,
                      const QList<QWidget*>& charts, QString* error)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(150);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("rovizez"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("%1 cannot be written").arg(QFileInfo(path).fileName());
        return false;
    }
    const QRect page = painter.viewport();
    QFont font = painter.font();
    font.setPointSizeF(16);
    painter.setFont(font);
    int y = 0;
    const QRect titleRect(0, y, page.width(), painter.fontMetrics().height());
    painter.drawText(titleRect, Qt::AlignLeft, title);
    y += titleRect.height() * 3 / 2;
    font.setPointSizeF(10);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().height();
    for (const QString& line : lines) {
        painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft,
                         painter.fontMetrics().elidedText(line, Qt::ElideRight, page.width()));
        y += lineHeight;
    }
    y += lineHeight;

    const int columns = 2;
    const int rows = int(charts.size() + columns - 1) / columns;
    if (rows > 0) {
        const int cellWidth = page.width() / columns;
        const int cellHeight = std::min((page.height() - y) / rows, cellWidth * 3 / 4);
        for (int i = 0; i < charts.size(); ++i) {
            const QPixmap picture = charts.at(i)->grab();
            const QRect cell(i % columns * cellWidth, y + i / columns * cellHeight, cellWidth,
                             cellHeight);
            const QSize size =
                picture.size().scaled(cell.size() - QSize(8, 8), Qt::KeepAspectRatio);
            painter.drawPixmap(QRect(cell.topLeft(), size), picture);
        }
    }
    if (!painter.end()) {
        *error = QStringLiteral("%1 could not be finished").arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}
