#pragma once

#include "book/files/Book.h"

#include <QTemporaryDir>
#include <QVariantList>

namespace kucun::test {

// A temporary data folder and program folder with table files in them.
class TestTables
{
public:
    QString workDir() const { return m_work.path(); }
    QString programDir() const { return m_program.path(); }
    BookFolders folders() const { return bookFoldersAt(workDir(), programDir()); }
    // The book of these folders, for helpers that read any book.
    operator Book() const { return Book(folders()); }
    QString path(const QString &table) const;

    // Creates the five table files, empty but for the settings record, and
    // the tables of our own.
    void createAll();
    void create(const QString &table);
    // Appends one record through the store, as the program would.
    void add(const QString &table, const QVariantList &values);
    void removeFile(const QString &table);

private:
    QTemporaryDir m_work;
    QTemporaryDir m_program;
};

} // namespace kucun::test
