#pragma once

#include "book/files/BookFolders.h"

#include <QString>
#include <QStringList>

namespace kucun {

// The paths of the five table files: the four data tables in the data
// folder, 设置.edb in the program's folder.
QStringList tableFilePaths(const BookFolders &folders);

// True when not one of the five table files is there: nothing has been
// kept yet, so a new set of tables loses nothing. One file present (the
// settings file deleted by the lock-out, say) is not a new book.
bool hasNoTableFiles(const BookFolders &folders);

struct NewBookResult
{
    bool done = false;
    // The files made, in the order they were made.
    QStringList created;
    // Why it failed, naming the file.
    QString error;
};

// Makes the five table files of an empty book: no catalogue, no log, and a
// settings record with no password and a readable menu look; then the tables
// of our own, empty (a failure to make them does not fail the book). Refuses before
// writing anything when any of the five files exists. When a file can't be
// made, the files made so far are removed again, so that a failed first
// start never leaves the locked state (tables without a settings file).
NewBookResult createNewBook(const BookFolders &folders);

// Makes an empty book on a PostgreSQL server, in a database without one:
// the tables of the files and of our own in schema kucun, in one
// transaction, then the readable menu look. `created` names the login and
// the server it was made with.
NewBookResult createNewServerBook(const QString &conninfo);

} // namespace kucun
