#pragma once

#include "BookFolders.h"
#include "store/Table.h"

#include <QString>
#include <utility>

namespace kucun {

// The stock book an operation reads or changes: where its tables are opened
// from. An operation that only reads and writes tables asks the book to open
// them; only those that handle the files themselves (backups, repairs, a new
// book, the stocktake draft) look at its folders.
class Book
{
public:
    // A book of table files in these folders.
    Book(BookFolders folders) : m_folders(std::move(folders)) {}

    const BookFolders &folders() const { return m_folders; }
    // The tables are on a PostgreSQL server, not in table files.
    bool isOnServer() const { return !m_folders.server.isEmpty(); }
    // The file of a table: 设置 in the program folder, the others in the
    // data folder.
    QString pathOf(const QString &table) const;
    // Opens a table of the book, or attaches one to a table open already, as
    // Table::open and Table::attach do.
    bool open(Table &table, const QString &name, FieldCheck check = FieldCheck::Declared) const;
    bool attach(Table &table, const QString &name, FieldCheck check = FieldCheck::Declared) const;
    // Attaches tables of our own (型号资料, 明细金额) to a table open already.
    // A change of the five tables goes on without them when one can't be
    // attached (missing, damaged, busy): they never stop it. True when every
    // one is attached, and only then are they written; the table's fault is
    // left clear either way.
    bool attachOwn(Table &table, const QStringList &names) const;

private:
    BookFolders m_folders;
};

} // namespace kucun
