// The test-state line: one line of large text that is always shown whole.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QString>

// The text as drawn in a given width: at the largest point size from the designed one down to
// smallestPointSize at which it fits, and below that elided in the middle at smallestPointSize.
struct FittedText {
    QFont font;
    QString text;
};
FittedText fitText(const QString& text, const QFont& designed, int width,
                   int smallestPointSize = 12);

// A read-only line whose text, when it does not fit at the line's font, is drawn smaller or
// elided (fitText); its text, its accessible value and its tool tip stay the whole text.
class StateLine : public QLineEdit
{
    Q_OBJECT
public:
    explicit StateLine(const QString& text, QWidget* parent = nullptr);
    // What the line draws at its present width and text margins.
    FittedText shown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
};
