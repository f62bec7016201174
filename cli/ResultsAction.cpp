// The results of a period read from the server when given, else the station's store.
#include "cli/ResultsAction.h"
#include "records/RecordStore.h"
#include "records/ServerUri.h"
#include "results/ResultFigures.h"
#include "results/ResultsFilter.h"
#include "results/ResultsSource.h"
#include "results/ResultsText.h"

#include <QJsonDocument>
#include <cstdio>

namespace
{
void print(FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fflush(to);
}

int usage(const QString& error)
{
    print(stderr, QStringLiteral("rovizez-cli results: ") + error +
                      QStringLiteral("\nUsage: rovizez-cli results [--since yyyy-MM-dd] [--until "
                                     "yyyy-MM-dd] [--station NAME] [--run NAME|all] "
                                     "[--database URI] [--json]\n"));
    return 64;
}
} // namespace

int runResultsAction(const QStringList& arguments)
{
    QDate since = QDate::currentDate();
    QDate until = since;
    QString station;
    QString run;
    QString database;
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--json")) {
            json = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return usage(arg.startsWith(QLatin1String("--"))
                             ? arg + QStringLiteral(" needs a value")
                             : QStringLiteral("unexpected ") + arg);
        const QString& value = arguments.at(++i);
        if (arg == QLatin1String("--since") || arg == QLatin1String("--until")) {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid())
                return usage(arg + QStringLiteral(": not a date: ") + value);
            (arg == QLatin1String("--since") ? since : until) = date;
        } else if (arg == QLatin1String("--station")) {
            station = value;
        } else if (arg == QLatin1String("--run")) {
            if (value != QLatin1String("all") && !ResultsFilter::runNames().contains(value))
                return usage(QStringLiteral("--run: no such run: ") + value);
            run = value == QLatin1String("all") ? QString() : value;
        } else if (arg == QLatin1String("--database")) {
            database = value;
        } else {
            return usage(QStringLiteral("unknown option ") + arg);
        }
    }
    ResultsSource source{RecordStore::defaultStorePath(), {}};
    if (!database.isEmpty()) {
        const ServerUriParse parsed = parseServerUri(database);
        if (!parsed.error.isEmpty())
            return usage(parsed.error);
        const ServerUri& uri = parsed.uri;
        source.server = {uri.host,     uri.port,     uri.user,
                         uri.password, uri.database, uri.connectOptions};
    }
    ResultsFilter filter = ResultsFilter::forPeriod(ResultsFilter::Period::Between,
                                                    QDateTime::currentDateTime(), since, until);
    filter.station = station;
    filter.run = run;

    ResultsConnection connection(QStringLiteral("rovizez-cli results"));
    connection.setSource(source);
    SourceState state;
    QSqlDatabase& db = connection.open(&state);
    if (state.kind == SourceState::Kind::None) {
        print(stderr, sourceLine(state) + QLatin1Char('\n'));
        return 1;
    }
    if (state.fellBack)
        print(stderr, sourceLine(state) + QLatin1Char('\n'));
    ResultFigures figures;
    QString error;
    if (!readFigures(db, filter, &figures, &error)) {
        print(stderr, error + QLatin1Char('\n'));
        return 1;
    }
    if (json)
        print(stdout, QString::fromUtf8(QJsonDocument(resultsJson(figures)).toJson()));
    else
        print(stdout, resultsTextLines(figures).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}
