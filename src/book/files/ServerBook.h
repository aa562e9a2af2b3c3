#pragma once

#include <QString>
#include <QStringList>

namespace kucun {

// The server book a start uses: the connection string after `--server` in
// the program's arguments, else the key "server" of kucun.ini in the
// program's folder; empty for a book of table files.
QString chosenServer(const QStringList &arguments, const QString &programDir);

// What a first login to a server book found.
struct ServerReach
{
    enum Kind
    {
        Reached,       // the book is there; `detail` is "user@host"
        WantsPassword, // the server asks a password the string and ~/.pgpass don't give
        Refused,       // not reached or the login refused; `detail` says why
        NoBook,        // reached, but the database holds no book yet
    };
    Kind kind = Refused;
    QString detail;
};

ServerReach reachServerBook(const QString &conninfo);

// The connection string with a password added, quoted as libpq reads it, in
// either of its forms (key=value words or a postgresql:// address).
QString withPassword(const QString &conninfo, const QString &password);

} // namespace kucun
