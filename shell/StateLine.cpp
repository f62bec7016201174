// The test-state line: the whole verdict, drawn smaller or elided rather than cut.
#include "shell/StateLine.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace
{
// The gap the line edit keeps between its frame and its text, on each side.
constexpr int kTextGap = 2;
} // namespace

FittedText fitText(const QString& text, const QFont& designed, int width, int smallestPointSize)
{
    QFont font = designed;
    for (int size = designed.pointSize(); size >= smallestPointSize; --size) {
        font.setPointSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            return {font, text};
    }
    font.setPointSize(smallestPointSize);
    return {font, QFontMetrics(font).elidedText(text, Qt::ElideMiddle, qMax(width, 0))};
}

StateLine::StateLine(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setReadOnly(true);
    setToolTip(text);
    // The tool tip always holds the whole text, also when the line shows it smaller.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) { setToolTip(now); });
}

QRect StateLine::textArea() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(kTextGap, 0, -kTextGap, 0);
}

FittedText StateLine::shown() const
{
    return fitText(text(), font(), textArea().width());
}

void StateLine::paintEvent(QPaintEvent* event)
{
    const FittedText fitted = shown();
    if (fitted.font.pointSize() == font().pointSize()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setFont(fitted.font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, fitted.text);
}
