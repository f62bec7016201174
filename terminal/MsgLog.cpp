// The message window's lines: visible form of a byte, the open-line rules and packed storage.
#include "terminal/MsgLog.h"

#include <algorithm>

namespace
{
const char kHexDigits[] = "0123456789ABCDEF";

// Appends the visible form of a byte (plain ASCII) to out.
void appendVisibleForm(QByteArray& out, quint8 byte, bool hexMode)
{
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
    const char hex[3] = {'\\', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    out.append(hex, 3);
}

// A character the log draws as "\hh": a control character, DEL, a C1 control, and a byte
// 128..255 of the line or of a command, which the log holds marked (portText). Every other
// character is the program's own text ("Ungültiges Argument") and is drawn as it is.
bool drawnAsHex(char32_t c)
{
    return c < 32 || (c >= 127 && c < 160) ||
           (c >= kPortByteBase + 128 && c <= kPortByteBase + 255);
}

// The byte a character drawn as "\hh" stands for.
quint8 drawnByte(char32_t c)
{
    return static_cast<quint8>(c >= kPortByteBase ? c - kPortByteBase : c);
}

// One-byte characters of stored UTF-8 drawn as "\hh".
bool isControlByte(uchar b)
{
    return b < 32 || b == 127;
}

// The length in UTF-8 of a character drawn as "\hh" that begins at utf8 (0 for none): a C1
// control is 0xC2 0x80..0x9F, a marked byte 0xEF 0x9E or 0x9F and one more.
int drawnMultiByte(const char* utf8, const char* end)
{
    const auto b = static_cast<uchar>(utf8[0]);
    if (b == 0xC2 && end - utf8 >= 2 && static_cast<uchar>(utf8[1]) < 0xA0)
        return 2;
    if (b == 0xEF && end - utf8 >= 3 &&
        (static_cast<uchar>(utf8[1]) == 0x9E || static_cast<uchar>(utf8[1]) == 0x9F))
        return 3;
    return 0;
}

// Characters a line takes once drawn: each such character becomes "\hh".
int drawnLength(const QString& line)
{
    return int(line.size() + 2 * std::count_if(line.begin(), line.end(),
                                               [](QChar c) { return drawnAsHex(c.unicode()); }));
}

// The same for stored lines (UTF-8, back to back), in UTF-16 characters as a QString counts them.
qsizetype drawnLength(const char* utf8, qsizetype size)
{
    qsizetype n = 0;
    const char* const end = utf8 + size;
    for (const char* p = utf8; p < end; ++p) {
        const auto b = static_cast<uchar>(*p);
        if ((b & 0xC0) == 0x80)
            continue; // inside a multi-byte character
        n += b >= 0xF0 ? 2 : isControlByte(b) || drawnMultiByte(p, end) ? 3 : 1;
    }
    return n;
}

// Bytes that drawing adds to stored lines (UTF-8): a one-byte control character becomes three
// bytes, a two-byte C1 control also three; a marked byte keeps its three.
qsizetype drawnExtraBytes(const char* utf8, qsizetype size)
{
    qsizetype extra = 0;
    const char* const end = utf8 + size;
    for (const char* p = utf8; p < end; ++p) {
        const auto b = static_cast<uchar>(*p);
        extra += isControlByte(b) ? 2 : drawnMultiByte(p, end) == 2 ? 1 : 0;
    }
    return extra;
}

// Writes a stored line as drawn, in UTF-8, at out and returns the end: runs of other characters
// are copied as they are, each character drawn as "\hh" takes three bytes.
char* writeDrawnUtf8(char* out, const char* utf8, qsizetype size)
{
    const char* const end = utf8 + size;
    while (utf8 < end) {
        const char* drawn = utf8;
        while (drawn < end && !isControlByte(uchar(*drawn)) && !drawnMultiByte(drawn, end))
            ++drawn;
        out = std::copy(utf8, drawn, out);
        if (drawn == end)
            break;
        const int length = drawnMultiByte(drawn, end);
        auto code = uchar(*drawn);
        if (length == 2)
            code = uchar(((code & 0x1F) << 6) | (uchar(drawn[1]) & 0x3F));
        else if (length == 3)
            code = uchar(0x80 | ((uchar(drawn[1]) & 0x01) << 6) | (uchar(drawn[2]) & 0x3F));
        utf8 = drawn + (length ? length : 1);
        *out++ = '\\';
        *out++ = kHexDigits[code >> 4];
        *out++ = kHexDigits[code & 0x0F];
    }
    return out;
}

// Appends a stored line as drawn; plain printable ASCII, nearly every line, goes in directly.
void appendDrawn(QString& out, const char* utf8, qsizetype size)
{
    const bool plain = std::all_of(utf8, utf8 + size, [](char c) {
        const auto b = static_cast<uchar>(c);
        return b < 0x80 && !isControlByte(b);
    });
    if (plain)
        out.append(QLatin1String(utf8, size));
    else
        out.append(displayedLine(QString::fromUtf8(utf8, size)));
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

qsizetype MsgLog::shownTextLength() const
{
    // A line feed after every closed line; the open line holds printable ASCII only.
    return m_ends.size() + drawnLength(m_pool.constData(), m_pool.size()) + m_open.size();
}

qint64 MsgLog::lineTime(int i) const
{
    if (i < 0 || i >= lineCount())
        return 0;
    return i == lineCount() - 1 ? m_openTime : m_times.at(i);
}

QByteArray MsgLog::shownUtf8(bool withTimes) const
{
    // Written in place rather than appended piece by piece: a million lines cost a million
    // appends otherwise.
    constexpr qsizetype kStamp = LineTime::kTextLength + 1;
    const bool stampOpen = withTimes && !m_open.isEmpty();
    const qsizetype stamps = withTimes ? m_ends.size() + (stampOpen ? 1 : 0) : 0;
    const qsizetype size = m_pool.size() + drawnExtraBytes(m_pool.constData(), m_pool.size()) +
                           m_ends.size() + m_open.size() + stamps * kStamp;
    QByteArray text(size, Qt::Uninitialized);
    char* out = text.data();
    LineTime::Formatter format;
    const auto stamp = [&](qint64 time) {
        format.write(time, out);
        out[LineTime::kTextLength] = ' ';
        out += kStamp;
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < m_ends.size(); ++i) {
        if (withTimes)
            stamp(m_times.at(i));
        const qsizetype end = m_ends.at(i);
        out = writeDrawnUtf8(out, m_pool.constData() + start, end - start);
        *out++ = '\n';
        start = end;
    }
    if (stampOpen)
        stamp(m_openTime);
    std::copy(m_open.cbegin(), m_open.cend(), out);
    return text;
}

QString MsgLog::shownText() const
{
    QString text;
    text.reserve(shownTextLength());
    qsizetype start = 0;
    for (const qsizetype end : m_ends) {
        appendDrawn(text, m_pool.constData() + start, end - start);
        text += QLatin1Char('\n');
        start = end;
    }
    text += QLatin1String(m_open);
    return text;
}

void MsgLog::appendClosed(const QByteArray& utf8, qint64 time)
{
    m_pool.append(utf8);
    m_ends.append(m_pool.size());
    m_times.append(time);
}

void MsgLog::closeOpenLine()
{
    appendClosed(m_open, m_openTime);
    m_open.clear();
    m_openTime = LineTime::now();
}

void MsgLog::outputLine(const QString& text)
{
    m_widest = qMax(m_widest, drawnLength(text));
    const qint64 now = LineTime::now();
    const int open = lineCount() - 1;
    if (m_open.isEmpty()) {
        // The text takes the place of the empty open line, and a new empty one follows it.
        for (MsgLogObserver* observer : m_observers)
            observer->linesAboutToBeInserted(open, open);
        appendClosed(text.toUtf8(), now);
    } else {
        // A partly filled open line stays as it is; the text goes on the next line.
        for (MsgLogObserver* observer : m_observers)
            observer->linesAboutToBeInserted(open + 1, open + 2);
        closeOpenLine();
        appendClosed(text.toUtf8(), now);
    }
    m_openTime = now;
    for (MsgLogObserver* observer : m_observers)
        observer->linesInserted();
}

void MsgLog::outputByte(quint8 byte, bool hexMode)
{
    const auto breakLine = [this] {
        const int added = lineCount();
        for (MsgLogObserver* observer : m_observers)
            observer->linesAboutToBeInserted(added, added);
        closeOpenLine();
        for (MsgLogObserver* observer : m_observers)
            observer->linesInserted();
    };
    if (m_open.size() >= kByteLineLimit && byte != 10)
        breakLine();
    const qsizetype before = m_open.size();
    // An empty open line takes the time of the first byte that comes to it.
    if (before == 0)
        m_openTime = LineTime::now();
    appendVisibleForm(m_open, byte, hexMode);
    if (m_open.size() != before) {
        m_widest = qMax(m_widest, int(m_open.size()));
        for (MsgLogObserver* observer : m_observers)
            observer->lineChanged(lineCount() - 1);
    }
    if (byte == 10)
        breakLine();
}

void MsgLog::clear()
{
    for (MsgLogObserver* observer : m_observers)
        observer->aboutToClear();
    // Fresh containers, so that the memory of a long session is given back.
    m_pool = QByteArray();
    m_ends = QList<qsizetype>();
    m_times = LineTime::Column();
    m_open = QByteArray();
    m_openTime = LineTime::now();
    m_widest = 0;
    for (MsgLogObserver* observer : m_observers)
        observer->cleared();
}

void MsgLog::prepend(MsgLog earlier)
{
    const bool wasEmpty = isEmpty();
    if (!wasEmpty && !earlier.m_open.isEmpty())
        earlier.closeOpenLine();
    const auto added = int(earlier.m_ends.size());
    if (added > 0) {
        for (MsgLogObserver* observer : m_observers)
            observer->linesAboutToBeInserted(0, added - 1);
        const qsizetype shift = earlier.m_pool.size();
        for (const qsizetype end : std::as_const(m_ends))
            earlier.m_ends.append(end + shift);
        earlier.m_times.append(m_times);
        m_times = std::move(earlier.m_times);
        // The earlier storage is taken over whole; only lines that arrived since are copied.
        if (!m_pool.isEmpty())
            earlier.m_pool.append(m_pool);
        m_pool = std::move(earlier.m_pool);
        m_ends = std::move(earlier.m_ends);
        m_widest = qMax(m_widest, earlier.m_widest);
        for (MsgLogObserver* observer : m_observers)
            observer->linesInserted();
    }
    if (wasEmpty && !earlier.m_open.isEmpty()) {
        m_open = std::move(earlier.m_open);
        m_openTime = earlier.m_openTime;
        m_widest = qMax(m_widest, earlier.m_widest);
        for (MsgLogObserver* observer : m_observers)
            observer->lineChanged(lineCount() - 1);
    }
}

void MsgLog::append(const MsgLog& later)
{
    const int first = m_open.isEmpty() ? lineCount() - 1 : lineCount();
    const int last = lineCount() - 1 + later.lineCount() - (m_open.isEmpty() ? 1 : 0);
    if (last >= first)
        for (MsgLogObserver* observer : m_observers)
            observer->linesAboutToBeInserted(first, last);
    if (!m_open.isEmpty())
        closeOpenLine();
    const qsizetype base = m_pool.size();
    m_pool.append(later.m_pool);
    m_ends.reserve(m_ends.size() + later.m_ends.size());
    for (const qsizetype end : later.m_ends)
        m_ends.append(base + end);
    m_times.append(later.m_times);
    m_open = later.m_open;
    m_openTime = later.m_openTime;
    m_widest = qMax(m_widest, later.m_widest);
    for (MsgLogObserver* observer : m_observers)
        observer->linesInserted();
}

QString portText(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<uchar>(byte);
        text += b < 0x80 ? QChar(b) : QChar(static_cast<char16_t>(kPortByteBase + b));
    }
    return text;
}

QString displayedLine(const QString& line)
{
    const auto control = [](QChar c) { return drawnAsHex(c.unicode()); };
    if (std::none_of(line.begin(), line.end(), control))
        return line;
    QString shown;
    shown.reserve(line.size() + 8);
    for (const QChar c : line) {
        if (control(c))
            shown += visibleForm(drawnByte(c.unicode()), true);
        else
            shown += c;
    }
    return shown;
}
