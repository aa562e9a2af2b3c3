#include "ServerBook.h"

#include "book/settings/ProgramIni.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QUrl>

namespace kucun {

QString chosenServer(const QStringList &arguments, const QString &programDir)
{
    const qsizetype option = arguments.indexOf(QStringLiteral("--server"));
    if (option >= 0 && option + 1 < arguments.size()) {
        return arguments[option + 1];
    }
    return programIni(programDir).value(QStringLiteral("server")).toString();
}

ServerReach reachServerBook(const QString &conninfo)
{
    QString failure;
    bool wantsPassword = false;
    const std::unique_ptr<pg::Connection> connection =
        pg::Connection::open(conninfo, &failure, &wantsPassword);
    if (!connection) {
        return {wantsPassword ? ServerReach::WantsPassword : ServerReach::Refused, failure};
    }
    const pg::Result book =
        connection->exec(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"),
                         {QStringLiteral("%1.\"%2\"").arg(serverSchema, tables::设置)});
    if (!book.ok()) {
        return {ServerReach::Refused, book.error()};
    }
    if (book.textAt(0, 0) != QStringLiteral("t")) {
        return {ServerReach::NoBook, QString()};
    }
    return {ServerReach::Reached, connection->userAtHost()};
}

QString withPassword(const QString &conninfo, const QString &password)
{
    if (conninfo.startsWith(QStringLiteral("postgres://")) ||
        conninfo.startsWith(QStringLiteral("postgresql://"))) {
        const QChar joint =
            conninfo.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?');
        return conninfo + joint + QStringLiteral("password=") +
               QString::fromLatin1(QUrl::toPercentEncoding(password));
    }
    QString quoted = password;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return conninfo + QStringLiteral(" password='") + quoted + QLatin1Char('\'');
}

} // namespace kucun
