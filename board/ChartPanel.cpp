// A chart beside its table, switched by the panel's "Table" button.
#include "board/ChartPanel.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

ChartPanel::ChartPanel(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent), m_title(title), m_toggle(new QToolButton(this)),
      m_stack(new QStackedWidget(this)), m_view(new QChartView(this)),
      m_table(new QTableWidget(this))
{
    setObjectName(name);
    auto* caption = new QLabel(title, this);
    caption->setObjectName(name + QStringLiteral("Title"));
    m_toggle->setObjectName(name + QStringLiteral("TableToggle"));
    m_toggle->setText(tr("Table"));
    m_toggle->setCheckable(true);
    m_toggle->setAccessibleName(tr("%1 as a table").arg(title));
    m_view->setObjectName(name + QStringLiteral("Chart"));
    m_view->setAccessibleName(tr("%1 chart").arg(title));
    m_view->setAccessibleDescription(tr("The Table button shows the same figures as a table"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumHeight(200);
    m_table->setObjectName(name + QStringLiteral("Table"));
    m_table->setAccessibleName(tr("%1 table").arg(title));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_table);
    connect(m_toggle, &QToolButton::toggled, m_stack, &QStackedWidget::setCurrentIndex);

    auto* top = new QHBoxLayout;
    top->addWidget(caption, 1);
    top->addWidget(m_toggle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);
}

void ChartPanel::setFigures(QChart* chart, const QStringList& headers,
                            const QList<QStringList>& rows)
{
    QChart* old = m_view->chart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(m_title);
    m_view->setChart(chart);
    delete old;

    m_table->clear();
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows.at(row).size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
}
