#pragma once

#include "book/files/Book.h"

#include <QMetaType>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

namespace kucun::pg {
class Connection;
} // namespace kucun::pg

namespace kucun::test {

// Where a test's book is kept.
enum class Store
{
    Files,  // table files in a temporary folder
    Server, // a database of the test program's throwaway PostgreSQL cluster
};

// A test class whose functions run on both stores crosses them with a store
// column: its initTestCase_data() calls addStoreRows(), its init()
// useRowStore(). TestTables made after that keep their book in the row's
// store; elsewhere in table files.
void addStoreRows();
void useRowStore();
Store testStore();
inline bool onServer()
{
    return testStore() == Store::Server;
}

// A temporary data folder and program folder with the book's tables: table
// files in them, or an empty book in a new database of the cluster.
class TestTables
{
public:
    explicit TestTables(Store store = testStore());
    ~TestTables();
    TestTables(const TestTables &) = delete;
    TestTables &operator=(const TestTables &) = delete;
    QString workDir() const { return m_work.path(); }
    QString programDir() const { return m_program.path(); }
    // The folders, naming the server's book when the book is there.
    BookFolders folders() const;
    // The book of these folders, for helpers that read any book.
    operator Book() const { return Book(folders()); }
    // The file of a table; the book's tables are files only in Store::Files.
    QString path(const QString &table) const;

    // Creates the five table files, empty but for the settings record, and
    // the tables of our own. A server book has them from the start.
    void createAll();
    void create(const QString &table);
    // Appends one record through the book, as the program would.
    void add(const QString &table, const QVariantList &values);
    // Takes the table away: its file, or the server's table.
    void removeFile(const QString &table);
    // Makes the table refuse every record that `change` (INSERT, DELETE)
    // would write, as a full disk or a guarding trigger would.
    void refuse(const QString &table, const QString &change);
    // Another program's transaction, holding the table against writers until
    // it is dropped.
    std::shared_ptr<void> hold(const QString &table);
    // Runs statements on the server book, which must go through.
    std::unique_ptr<pg::Connection> runOnServer(const QString &statements);

private:
    QTemporaryDir m_work;
    QTemporaryDir m_program;
    QString m_server;  // the server book's owner's connection string, if there
    QString m_counter; // the same book as the counters' role
};

} // namespace kucun::test

Q_DECLARE_METATYPE(kucun::test::Store)
