// The message window's lines: visible form of a byte, the open-line rules and packed storage.
#include "terminal/MsgLog.h"

#include <algorithm>

namespace
{
// Appends the visible form of a byte (plain ASCII) to out.
void appendVisibleForm(QByteArray& out, quint8 byte, bool hexMode)
{
    static const char digits[] = "0123456789ABCDEF";
    if (!hexMode) {
        if (byte == '\\') {
            out.append("\\\\", 2);
            return;
        }
        if (byte == 13 || byte == 10)
            return;
        if (byte >= 32 && byte <= 126) {
            out.append(static_cast<char>(byte));
            return;
        }
    }
    const char hex[3] = {'\\', digits[byte >> 4], digits[byte & 0x0F]};
    out.append(hex, 3);
}

bool isControl(char32_t c)
{
    return c < 32 || c == 127;
}

// Characters a line takes once drawn: each control character becomes "\hh".
int drawnLength(const QString& line)
{
    return int(line.size() + 2 * std::count_if(line.begin(), line.end(),
                                               [](QChar c) { return isControl(c.unicode()); }));
}
} // namespace

QString visibleForm(quint8 byte, bool hexMode)
{
    QByteArray shown;
    appendVisibleForm(shown, byte, hexMode);
    return QString::fromLatin1(shown);
}

QString MsgLog::line(int i) const
{
    if (i < 0 || i >= lineCount())
        return {};
    if (i == lineCount() - 1)
        return QString::fromLatin1(m_open);
    const qsizetype start = i == 0 ? 0 : m_ends.at(i - 1);
    return QString::fromUtf8(m_pool.constData() + start, m_ends.at(i) - start);
}

QStringList MsgLog::lines() const
{
    QStringList all;
    all.reserve(lineCount());
    for (int i = 0; i < lineCount(); ++i)
        all.append(line(i));
    return all;
}

QString MsgLog::shownText() const
{
    QString text;
    for (int i = 0; i < lineCount(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += displayedLine(line(i));
    }
    return text;
}

void MsgLog::appendClosed(const QByteArray& utf8)
{
    m_pool.append(utf8);
    m_ends.append(m_pool.size());
}

void MsgLog::closeOpenLine()
{
    appendClosed(m_open);
    m_open.clear();
}

void MsgLog::outputLine(const QString& text)
{
    m_widest = qMax(m_widest, drawnLength(text));
    const int open = lineCount() - 1;
    if (m_open.isEmpty()) {
        // The text takes the place of the empty open line, and a new empty one follows it.
        if (m_observer)
            m_observer->linesAboutToBeInserted(open, open);
        appendClosed(text.toUtf8());
    } else {
        // A partly filled open line stays as it is; the text goes on the next line.
        if (m_observer)
            m_observer->linesAboutToBeInserted(open + 1, open + 2);
        closeOpenLine();
        appendClosed(text.toUtf8());
    }
    if (m_observer)
        m_observer->linesInserted();
}

void MsgLog::outputByte(quint8 byte, bool hexMode)
{
    const auto breakLine = [this] {
        const int added = lineCount();
        if (m_observer)
            m_observer->linesAboutToBeInserted(added, added);
        closeOpenLine();
        if (m_observer)
            m_observer->linesInserted();
    };
    if (m_open.size() >= kByteLineLimit && byte != 10)
        breakLine();
    const qsizetype before = m_open.size();
    appendVisibleForm(m_open, byte, hexMode);
    if (m_open.size() != before) {
        m_widest = qMax(m_widest, int(m_open.size()));
        if (m_observer)
            m_observer->lineChanged(lineCount() - 1);
    }
    if (byte == 10)
        breakLine();
}

void MsgLog::clear()
{
    if (m_observer)
        m_observer->aboutToClear();
    // Fresh containers, so that the memory of a long session is given back.
    m_pool = QByteArray();
    m_ends = QList<qsizetype>();
    m_open = QByteArray();
    m_widest = 0;
    if (m_observer)
        m_observer->cleared();
}

QString displayedLine(const QString& line)
{
    const auto control = [](QChar c) { return isControl(c.unicode()); };
    if (std::none_of(line.begin(), line.end(), control))
        return line;
    QString shown;
    shown.reserve(line.size() + 8);
    for (const QChar c : line) {
        if (control(c))
            shown += visibleForm(static_cast<quint8>(c.unicode()), true);
        else
            shown += c;
    }
    return shown;
}
