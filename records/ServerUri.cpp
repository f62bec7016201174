// Reads a PostgreSQL address with QUrl and refuses anything it cannot pass safely to the driver.
#include "records/ServerUri.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace
{
ServerUriParse failure(const QString& error)
{
    return {{}, error};
}

// A port from text: 1 to 65535, digits only; 0 when it is none.
int portNumber(const QString& text)
{
    bool ok = false;
    const int port = text.toInt(&ok);
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return ok && digits && port >= 1 && port <= 65535 ? port : 0;
}

// A value as the connection string takes it: quoted where it holds a blank, quote or backslash.
QString optionValue(QString value)
{
    if (!value.contains(QLatin1Char(' ')) && !value.contains(QLatin1Char('\'')) &&
        !value.contains(QLatin1Char('\\')))
        return value;
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

bool hasControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}
} // namespace

ServerUriParse parseServerUri(const QString& text)
{
    if (text.trimmed().isEmpty())
        return failure(QStringLiteral("No server address is given."));
    if (text != text.trimmed() || hasControl(text))
        return failure(QStringLiteral("The server address holds blanks or control characters."));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return failure(
            QStringLiteral("The server address is malformed: %1").arg(url.errorString()));
    const QString scheme = url.scheme();
    if ((scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")) ||
        text.mid(scheme.size(), 3) != QLatin1String("://"))
        return failure(
            QStringLiteral("The server address must begin with postgresql:// or postgres://."));
    if (url.hasFragment())
        return failure(QStringLiteral("The server address may not hold a '#' part."));

    ServerUri uri;
    uri.host = url.host(QUrl::FullyDecoded);
    const int port = url.port(-1);
    if (port == 0)
        return failure(QStringLiteral("The server address has port 0."));
    if (port > 0)
        uri.port = port;
    uri.user = url.userName(QUrl::FullyDecoded);
    uri.password = url.password(QUrl::FullyDecoded);
    const QString path = url.path(QUrl::FullyDecoded);
    if (!path.isEmpty()) {
        uri.database = path.mid(1);
        if (!path.startsWith(QLatin1Char('/')) || uri.database.contains(QLatin1Char('/')))
            return failure(QStringLiteral("The server address names more than one database."));
    }

    static const QRegularExpression keyPattern(QStringLiteral("^[a-z_]+$"));
    QStringList options;
    QSet<QString> seen;
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (!keyPattern.match(key).hasMatch())
            return failure(QStringLiteral("The server address has a parameter '%1' that is not a "
                                          "connection keyword.")
                               .arg(key));
        if (seen.contains(key))
            return failure(QStringLiteral("The server address gives '%1' twice.").arg(key));
        seen.insert(key);
        if (value.isEmpty())
            return failure(QStringLiteral("The server address gives '%1' no value.").arg(key));
        if (value.contains(QLatin1Char(';')) || hasControl(value))
            return failure(
                QStringLiteral("The value of '%1' holds a ';' or a control character.").arg(key));
        if (key == QLatin1String("host")) {
            uri.host = value;
        } else if (key == QLatin1String("port")) {
            uri.port = portNumber(value);
            if (uri.port == 0)
                return failure(QStringLiteral("The server address has port '%1'.").arg(value));
        } else if (key == QLatin1String("user")) {
            uri.user = value;
        } else if (key == QLatin1String("password")) {
            uri.password = value;
        } else if (key == QLatin1String("dbname")) {
            uri.database = value;
        } else {
            options << key + QLatin1Char('=') + optionValue(value);
        }
    }
    uri.connectOptions = options.join(QLatin1Char(';'));
    return {uri, {}};
}

QString serverUriWithoutPassword(const QString& text)
{
    if (!parseServerUri(text).error.isEmpty())
        return {};
    QUrl url(text, QUrl::StrictMode);
    url.setPassword(QString());
    QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("password"))) {
        query.removeAllQueryItems(QStringLiteral("password"));
        if (query.isEmpty())
            url.setQuery(QString());
        else
            url.setQuery(query);
    }
    return url.toString(QUrl::FullyEncoded);
}
