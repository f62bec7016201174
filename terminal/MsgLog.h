// The message window's lines, kept without a window: the line and byte output rules and storage.
#pragma once

#include "terminal/LineTime.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// How a received byte shows in the log: in hex mode "\hh" (upper case) for every byte; in
// character mode the printable character itself, "\\" for a backslash, nothing for CR and LF,
// and "\hh" for every other byte.
QString visibleForm(quint8 byte, bool hexMode);

// Where the log keeps the bytes 128..255 of the line and of commands: at this code plus the
// byte, in a private-use range no text of the program holds.
inline constexpr char32_t kPortByteBase = 0xF700;

// The text of bytes of the line or of a command: ASCII as it is, each byte 128..255 marked, so
// that the log draws it as "\hh" and never as a character of some code page.
QString portText(const QByteArray& bytes);

// How a log line is drawn in the list: a line keeps every character it was given (a logged
// reply still holds its CR LF), but a control character would cut or garble the row and a marked
// byte 128..255 of the line would show as a box or a wrong letter, so each of these shows in the
// log's own "\hh" notation (CR LF as \0D\0A, DEL as \7F, byte 200 as \C8). The program's own
// texts (a system message in German) are drawn as they are.
QString displayedLine(const QString& line);

// Told about every change of a MsgLog, in the order a list model has to announce it.
class MsgLogObserver
{
public:
    virtual ~MsgLogObserver() = default;
    virtual void linesAboutToBeInserted(int first, int last) = 0;
    virtual void linesInserted() = 0;
    virtual void lineChanged(int row) = 0;
    virtual void aboutToClear() = 0;
    virtual void cleared() = 0;
};

// An ordered list of lines that always holds at least one: the last one is the open line, which
// byte output grows and line output closes. Built for long sessions: closed lines are packed
// back to back in one buffer, so adding a line or a byte costs amortised constant time and a
// line costs little more than its characters and its time (8 bytes). A line's time is the clock
// (LineTime::now) when its first character arrived; an empty open line carries the time it was
// opened until a character arrives.
class MsgLog
{
public:
    // Byte output breaks a line that has reached this many characters.
    static constexpr int kByteLineLimit = 60;

    int lineCount() const { return static_cast<int>(m_ends.size()) + 1; }
    // The text of line i, 0 <= i < lineCount().
    QString line(int i) const;
    QStringList lines() const;
    // The lines as the window draws them (displayedLine), joined by line feeds: the text that is
    // copied to the clipboard. Made in one piece of exactly its size, so that copying a long log
    // holds the text once, with no slack.
    QString shownText() const;
    // The time of line i, in milliseconds since the epoch.
    qint64 lineTime(int i) const;
    // Length of shownText() in characters, counted without making it.
    qsizetype shownTextLength() const;
    // The same text in UTF-8, made straight from the stored lines, in one piece of exactly its
    // size: half the memory of shownText() for the usual ASCII log, and what the clipboard and a
    // file take without converting it again. With times, each line but an empty open line starts
    // with its time ("HH:mm:ss.zzz") and a space.
    QByteArray shownUtf8(bool withTimes = false) const;
    // Characters of the widest line as the window draws it; 0 after a clear.
    int widestLine() const { return m_widest; }

    // Writes text as one complete line: it fills the open line if that is empty, otherwise goes
    // on the next line; then a new empty open line follows.
    void outputLine(const QString& text);
    // Appends the byte's visible form to the open line, first breaking a line of 60 characters
    // or more (unless the byte is a line feed); a line feed then ends the line.
    void outputByte(quint8 byte, bool hexMode);
    // Leaves exactly one line, the empty open line.
    void clear();
    // True when the log holds only the empty open line.
    bool isEmpty() const { return m_ends.isEmpty() && m_open.isEmpty(); }
    // Puts the lines of earlier ahead of this log's. When this log holds nothing, it becomes
    // earlier, open line included; otherwise a partly filled open line of earlier is closed where
    // it stands and this log's lines follow it.
    void prepend(MsgLog earlier);
    // Adds the lines of a later log after these, with their times: an empty open line here gives
    // way to the later log's first line, a filled one is closed first.
    void append(const MsgLog& later);

    // Every observer is told of every change, in the order they were added.
    void addObserver(MsgLogObserver* observer) { m_observers.append(observer); }
    void removeObserver(MsgLogObserver* observer) { m_observers.removeAll(observer); }
    // Only this observer, or none, is told from now on.
    void setObserver(MsgLogObserver* observer)
    {
        m_observers.clear();
        if (observer)
            m_observers.append(observer);
    }
    void clearObservers() { m_observers.clear(); }

private:
    // Moves the open line into the closed lines and leaves an empty open line after it.
    void closeOpenLine();
    void appendClosed(const QByteArray& utf8, qint64 time);

    // Closed lines as UTF-8, back to back; m_ends[i] is where line i ends.
    QByteArray m_pool;
    QList<qsizetype> m_ends;
    // m_times[i] is the time of closed line i.
    LineTime::Column m_times;
    // The open line; it only ever receives visible forms of bytes, which are plain ASCII.
    QByteArray m_open;
    qint64 m_openTime = LineTime::now();
    int m_widest = 0;
    QList<MsgLogObserver*> m_observers;
};
