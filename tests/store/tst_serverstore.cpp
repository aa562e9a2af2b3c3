#include "helpers/ServerCluster.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"
#include "store/server/ServerSql.h"

#include <QDateTime>
#include <QHash>
#include <QTest>

using namespace kucun;

class ServerStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyProtectedConnectionsOpen_data();
    void onlyProtectedConnectionsOpen();
    void statementsInTheServersWords_data();
    void statementsInTheServersWords();
    void valuesGoAndComeBackAsTheFilesHoldThem();
    void aNewServerBookHasTheTablesOfTheFiles();

private:
    std::unique_ptr<pg::Connection> openDatabase(const QString &name);
    ServerCluster m_cluster;
};

void ServerStoreTest::initTestCase()
{
    QVERIFY2(m_cluster.isRunning(), qPrintable(m_cluster.failure()));
}

std::unique_ptr<pg::Connection> ServerStoreTest::openDatabase(const QString &name)
{
    if (!m_cluster.createDatabase(name)) {
        qWarning("%s", qPrintable(m_cluster.failure()));
        return nullptr;
    }
    QString failure;
    auto connection = pg::Connection::open(m_cluster.connectionString(name), &failure);
    if (!connection) {
        qWarning("%s", qPrintable(failure));
    }
    return connection;
}

void ServerStoreTest::onlyProtectedConnectionsOpen_data()
{
    QTest::addColumn<QString>("conninfo");
    QTest::addColumn<bool>("isProtected");
    QTest::newRow("a socket folder") << "host=/run/postgresql dbname=shop" << true;
    QTest::newRow("no host: the local socket") << "dbname=shop" << true;
    QTest::newRow("a network host") << "host=192.168.1.10 dbname=shop" << false;
    QTest::newRow("TLS preferred is not required") << "host=shop.lan sslmode=prefer" << false;
    QTest::newRow("TLS required") << "host=192.168.1.10 sslmode=require" << true;
    QTest::newRow("TLS with the server checked") << "host=shop.lan sslmode=verify-full" << true;
    QTest::newRow("an address beside a socket") << "host=/tmp hostaddr=10.0.0.2" << false;
    QTest::newRow("a socket and a network host") << "host=/tmp,shop.lan" << false;
}

void ServerStoreTest::onlyProtectedConnectionsOpen()
{
    QFETCH(QString, conninfo);
    QFETCH(bool, isProtected);
    qunsetenv("PGHOST");
    QCOMPARE(pg::isProtected(conninfo), isProtected);
    if (!isProtected) {
        QString failure;
        QVERIFY(!pg::Connection::open(conninfo, &failure));
        QCOMPARE(failure, QStringLiteral("连接须加密（sslmode=require）"));
    }
    QString failure;
    QVERIFY(!pg::Connection::open(QStringLiteral("dbname"), &failure));
    QVERIFY2(failure.contains(QStringLiteral("dbname")), qPrintable(failure));
}

void ServerStoreTest::statementsInTheServersWords_data()
{
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("server");
    QTest::newRow("marks in order")
        << "SELECT rowid, \"品类\" FROM \"型号\" WHERE \"品类\" = ? AND rowid > ?"
        << "SELECT \"id\", \"品类\" FROM \"型号\" WHERE \"品类\" = $1 AND \"id\" > $2";
    QTest::newRow("a qualified row id") << "SELECT t.rowid AS \"_id\" FROM \"明细\" AS t"
                                        << "SELECT t.\"id\" AS \"_id\" FROM \"明细\" AS t";
    QTest::newRow("quoted marks and names stay")
        << "SELECT '?''rowid', \"rowid?\"\"\", rowids, myrowid FROM x WHERE a = ?"
        << "SELECT '?''rowid', \"rowid?\"\"\", rowids, myrowid FROM x WHERE a = $1";
}

void ServerStoreTest::statementsInTheServersWords()
{
    QFETCH(QString, files);
    QFETCH(QString, server);
    QCOMPARE(pg::serverStatement(files), server);
}

void ServerStoreTest::valuesGoAndComeBackAsTheFilesHoldThem()
{
    auto connection = openDatabase(QStringLiteral("values"));
    QVERIFY(connection);
    const pg::Result result = connection->exec(
        QStringLiteral("SELECT $1::double precision, $2::double precision, $3::timestamp, "
                       "$4::timestamp, $5::text, $6::text, $7::boolean"),
        {0.1, 1e-7 + 2.5, QDateTime(QDate(2024, 5, 3), QTime(10, 0)), QDate(2024, 5, 3),
         QStringLiteral(" 螺丝 M3×8 "), QVariant(), true});
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QStringList expected{QStringLiteral("0.1"),
                               QStringLiteral("2.5000001"),
                               QStringLiteral("2024-05-03 10:00:00"),
                               QStringLiteral("2024-05-03 00:00:00"),
                               QStringLiteral(" 螺丝 M3×8 "),
                               QString(),
                               QStringLiteral("t")};
    for (int column = 0; column < expected.size(); ++column) {
        QCOMPARE(result.textAt(0, column), expected[column]);
    }
    QVERIFY(result.isNullAt(0, 5));

    const pg::Result failed = connection->exec(QStringLiteral("SELECT * FROM 没有这个表"));
    QVERIFY(!failed.ok());
    QCOMPARE(failed.sqlState(), QStringLiteral("42P01"));

    QString failure;
    QVERIFY(
        !pg::Connection::open(m_cluster.connectionString(QStringLiteral("没有这个库")), &failure));
    QVERIFY2(failure.contains(QStringLiteral("没有这个库")), qPrintable(failure));
}

void ServerStoreTest::aNewServerBookHasTheTablesOfTheFiles()
{
    auto connection = openDatabase(QStringLiteral("book"));
    QVERIFY(connection);
    QString failure;
    QVERIFY2(createServerBook(*connection, &failure), qPrintable(failure));

    QStringList tables = tables::allTableNames();
    tables << tables::ownTableNames();
    for (const QString &table : std::as_const(tables)) {
        const pg::Result columns = connection->exec(
            QStringLiteral("SELECT column_name, data_type, is_identity FROM "
                           "information_schema.columns WHERE table_schema = 'kucun' AND "
                           "table_name = $1 ORDER BY ordinal_position"),
            {table});
        QVERIFY2(columns.ok(), qPrintable(columns.error()));
        // The server's types give the figures and texts the files give.
        const QHash<FieldKind, QString> types{
            {FieldKind::Text, QStringLiteral("text")},
            {FieldKind::Number, QStringLiteral("double precision")},
            {FieldKind::Integer, QStringLiteral("bigint")},
            {FieldKind::Logical, QStringLiteral("boolean")},
            {FieldKind::DateTime, QStringLiteral("timestamp")}};
        QStringList expected{QStringLiteral("id bigint YES")};
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            expected << field.name + QLatin1Char(' ') + types.value(field.kind) +
                            QStringLiteral(" NO");
        }
        QStringList found;
        for (int row = 0; row < columns.rowCount(); ++row) {
            found << columns.textAt(row, 0) + QLatin1Char(' ') +
                         columns.textAt(row, 1).replace(QStringLiteral(" without time zone"),
                                                        QString()) +
                         QLatin1Char(' ') + columns.textAt(row, 2);
        }
        QCOMPARE(found, expected);
    }
    QCOMPARE(connection->exec(QStringLiteral("SELECT count(*) FROM kucun.\"设置\"")).textAt(0, 0),
             QStringLiteral("1"));
    const pg::Result indexes = connection->exec(
        QStringLiteral("SELECT count(*) FROM pg_indexes WHERE schemaname = 'kucun' AND "
                       "indexname = '明细_日期'"));
    QCOMPARE(indexes.textAt(0, 0), QStringLiteral("1"));

    // A second book is refused, and the first is left as it was.
    QVERIFY(!createServerBook(*connection, &failure));
    QVERIFY2(failure.contains(QStringLiteral("kucun")), qPrintable(failure));
    QCOMPARE(connection->exec(QStringLiteral("SELECT count(*) FROM kucun.\"设置\"")).textAt(0, 0),
             QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(ServerStoreTest)
#include "tst_serverstore.moc"
