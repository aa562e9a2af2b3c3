#pragma once

#include "book/files/BookFolders.h"

#include <QList>
#include <QString>

namespace kucun {

// The records of one table in the book moved and in the book it made.
struct MovedTable
{
    QString table;
    qint64 before = 0;
    qint64 after = 0;
};

struct MoveResult
{
    bool done = false;
    // Why it failed, for the owner; empty when done.
    QString error;
    // The login and the server the book was moved to or from.
    QString server;
    // Both books were counted: the tables and the stock totals hold their figures.
    bool counted = false;
    QList<MovedTable> tables;
    // The stock total (the sum of 型号's 库存) of both books.
    double stockBefore = 0;
    double stockAfter = 0;
};

// Copies the book kept in table files in `files` into a database without a
// book on the server at conninfo: schema kucun with the tables of the files
// and of our own, every record with its identity (the log's id, the row id
// of the others) and the log's ids handed out so far, in one server
// transaction. It commits only when every table holds as many records as its
// file and the stock totals agree; otherwise the server is left as it was.
// The files are read in one transaction: the book as it was at one moment.
MoveResult moveBookToServer(const BookFolders &files, const QString &conninfo);

// Copies the server book at conninfo into new table files in `files`, none
// of which may be there: the files are made and filled in staging folders
// inside the destination folders, every record with its identity, from one
// snapshot of the server, and moved into place only when every one is
// complete, its records counted and the stock totals agree. A failure
// leaves no table file behind.
MoveResult moveBookFromServer(const QString &conninfo, const BookFolders &files);

} // namespace kucun
