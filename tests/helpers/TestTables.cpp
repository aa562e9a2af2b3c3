#include "TestTables.h"

#include "ServerCluster.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace kucun::test {

namespace {

Store rowStore = Store::Files;

// One cluster for the whole test program, started when a test first asks
// for a server book, stopped as the application ends.
std::unique_ptr<ServerCluster> cluster;

void stopCluster()
{
    cluster.reset();
}

// Server books no test holds any more. A new database costs far more than
// making the book's tables again, so a test takes one of these when it can.
QStringList freeBooks;

QString takeServerBook()
{
    if (!cluster) {
        cluster = std::make_unique<ServerCluster>();
        qAddPostRoutine(stopCluster);
    }
    QString failure;
    if (!freeBooks.isEmpty()) {
        const QString conninfo = freeBooks.takeLast();
        const auto connection = pg::Connection::open(conninfo, &failure);
        if (!connection ||
            !connection->execScript(
                QStringLiteral("SET client_min_messages = warning; DROP SCHEMA kucun CASCADE"),
                &failure) ||
            !createServerBook(*connection, &failure)) {
            qFatal("no fresh server book: %s", qPrintable(failure));
        }
        return conninfo;
    }
    static int books = 0;
    const QString conninfo = cluster->createBook(QStringLiteral("book%1").arg(++books));
    if (conninfo.isEmpty()) {
        qFatal("no server book: %s", qPrintable(cluster->failure()));
    }
    if (books == 1) {
        pg::Connection::open(conninfo, nullptr)
            ->execScript(QStringLiteral("CREATE ROLE counter LOGIN"));
    }
    return conninfo;
}

// The book as the program reaches it at a counter: as the role the README
// makes, with only SELECT, INSERT, UPDATE and DELETE on the tables.
QString asCounter(const QString &owner)
{
    QString failure;
    const auto connection = pg::Connection::open(owner, &failure);
    if (!connection ||
        !connection->execScript(QStringLiteral("GRANT USAGE ON SCHEMA kucun TO counter; GRANT "
                                               "SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN "
                                               "SCHEMA kucun TO counter"),
                                &failure)) {
        qFatal("no rights for the counter: %s", qPrintable(failure));
    }
    return owner + QStringLiteral(" user=counter");
}

} // namespace

void addStoreRows()
{
    QTest::addColumn<Store>("store");
    QTest::newRow("files") << Store::Files;
    QTest::newRow("server") << Store::Server;
}

void useRowStore()
{
    QFETCH_GLOBAL(Store, store);
    rowStore = store;
}

Store testStore()
{
    return rowStore;
}

TestTables::TestTables(Store store)
{
    if (store == Store::Server) {
        m_server = takeServerBook();
        m_counter = asCounter(m_server);
    }
}

TestTables::~TestTables()
{
    if (!m_server.isEmpty()) {
        freeBooks << m_server;
    }
}

BookFolders TestTables::folders() const
{
    BookFolders folders = bookFoldersAt(workDir(), programDir());
    folders.server = m_counter;
    return folders;
}

QString TestTables::path(const QString &table) const
{
    return Book(folders()).pathOf(table);
}

void TestTables::createAll()
{
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        create(table);
    }
}

void TestTables::create(const QString &table)
{
    QString error;
    if (m_server.isEmpty() && !createTableFile(path(table), table, &error)) {
        qFatal("%s", qPrintable(error));
    }
}

void TestTables::add(const QString &table, const QVariantList &values)
{
    Table opened;
    if (!Book(folders()).open(opened, table) || !opened.append(values)) {
        qFatal("cannot append to %s", qPrintable(table));
    }
}

void TestTables::removeFile(const QString &table)
{
    if (m_server.isEmpty()) {
        QFile::remove(path(table));
    } else {
        runOnServer(QStringLiteral("DROP TABLE ") + sql::quoteIdentifier(table));
    }
}

void TestTables::refuse(const QString &table, const QString &change)
{
    const QString name = sql::quoteIdentifier(QStringLiteral("refuse ") + change);
    const QString statement =
        m_server.isEmpty()
            ? QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, "
                             "'refused'); END")
            : QStringLiteral("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE "
                             "plpgsql AS 'BEGIN RAISE EXCEPTION ''refused''; END'; CREATE "
                             "TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW EXECUTE FUNCTION refuse()");
    const QString sql = statement.arg(name, change, sql::quoteIdentifier(table));
    if (m_server.isEmpty()) {
        const auto file = sql::Connection::openExisting(path(table), tablePassword());
        if (!file || !file->exec(sql)) {
            qFatal("cannot guard %s", qPrintable(table));
        }
    } else {
        runOnServer(sql);
    }
}

std::shared_ptr<void> TestTables::hold(const QString &table)
{
    if (!m_server.isEmpty()) {
        return runOnServer(QStringLiteral("BEGIN; LOCK TABLE %1 IN EXCLUSIVE MODE")
                               .arg(sql::quoteIdentifier(table)));
    }
    std::shared_ptr<sql::Connection> file =
        sql::Connection::openExisting(path(table), tablePassword());
    if (!file || !file->exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        qFatal("cannot hold %s", qPrintable(table));
    }
    return file;
}

std::unique_ptr<pg::Connection> TestTables::runOnServer(const QString &statements)
{
    QString failure;
    auto connection = pg::Connection::open(m_server, &failure);
    if (!connection || !connection->execScript(statements, &failure)) {
        qFatal("%s: %s", qPrintable(statements), qPrintable(failure));
    }
    return connection;
}

} // namespace kucun::test
