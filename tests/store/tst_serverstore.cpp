#include "book/files/Book.h"
#include "book/settings/Settings.h"
#include "helpers/ServerCluster.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"
#include "store/server/ServerSql.h"

#include <QHash>
#include <QProcess>
#include <QTest>

using namespace kucun;

class ServerStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyProtectedConnectionsOpen_data();
    void onlyProtectedConnectionsOpen();
    void theClientProgramsAreGivenNoPassword_data();
    void theClientProgramsAreGivenNoPassword();
    void statementsInTheServersWords();
    void aNewServerBookHasTheTablesOfTheFiles();
    void kucunInitMakesAServerBookOnce();

private:
    ServerCluster m_cluster;
};

void ServerStoreTest::initTestCase()
{
    QVERIFY2(m_cluster.isRunning(), qPrintable(m_cluster.failure()));
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
    // A string libpq can't read says why.
    QString failure;
    QVERIFY(!pg::Connection::open(QStringLiteral("dbname"), &failure));
    QVERIFY2(failure.contains(QStringLiteral("dbname")), qPrintable(failure));
}

void ServerStoreTest::theClientProgramsAreGivenNoPassword_data()
{
    QTest::addColumn<QString>("conninfo");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("onCommandLine");
    QTest::newRow("settings") << R"(host=/tmp dbname='my shop' password='p\'w' user=o\\k)"
                              << "p'w"
                              << R"(user='o\\k' dbname='my shop' host='/tmp')";
    QTest::newRow("an address") << "postgresql://shop:secret@%2Ftmp/kucun"
                                << "secret"
                                << "user='shop' dbname='kucun' host='/tmp'";
}

void ServerStoreTest::theClientProgramsAreGivenNoPassword()
{
    QFETCH(QString, conninfo);
    const pg::ClientLogin login = pg::clientLogin(conninfo);
    QTEST(login.password, "password");
    QTEST(login.conninfo, "onCommandLine");
}

void ServerStoreTest::statementsInTheServersWords()
{
    // Marks and row ids become the server's; quoted texts and names stay.
    QCOMPARE(
        pg::serverStatement(QStringLiteral(
            "SELECT t.rowid, '?''rowid', \"rowid?\"\"\", rowids FROM x AS t WHERE a = ? OR b = ?")),
        QStringLiteral("SELECT t.\"id\", '?''rowid', \"rowid?\"\"\", rowids FROM x AS t WHERE a = "
                       "$1 OR b = $2"));
}

void ServerStoreTest::aNewServerBookHasTheTablesOfTheFiles()
{
    QString failure;
    auto connection = pg::Connection::open(m_cluster.createBook(QStringLiteral("book")), &failure);
    QVERIFY2(connection, qPrintable(m_cluster.failure() + failure));
    // The server's types give the figures and texts the files give.
    const QHash<FieldKind, QString> types{{FieldKind::Text, QStringLiteral("text")},
                                          {FieldKind::Number, QStringLiteral("double precision")},
                                          {FieldKind::Integer, QStringLiteral("double precision")},
                                          {FieldKind::Logical, QStringLiteral("boolean")},
                                          {FieldKind::DateTime, QStringLiteral("timestamp")}};
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        const pg::Result columns = connection->exec(
            QStringLiteral("SELECT column_name || ' ' || replace(data_type, ' without time zone', "
                           "'') || ' ' || is_identity FROM information_schema.columns WHERE "
                           "table_schema = 'kucun' AND table_name = $1 ORDER BY ordinal_position"),
            {table});
        QStringList expected{QStringLiteral("id bigint YES")};
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            expected << field.name + QLatin1Char(' ') + types.value(field.kind) +
                            QStringLiteral(" NO");
        }
        QStringList found;
        for (int row = 0; row < columns.rowCount(); ++row) {
            found << columns.textAt(row, 0);
        }
        QCOMPARE(found, expected);
    }
}

void ServerStoreTest::kucunInitMakesAServerBookOnce()
{
    QVERIFY2(m_cluster.createDatabase(QStringLiteral("init")), qPrintable(m_cluster.failure()));
    BookFolders folders;
    folders.server = m_cluster.connectionString(QStringLiteral("init"));
    // The second run finds the book there and leaves it alone.
    for (const int exitCode : {0, 1}) {
        QProcess init;
        init.start(qEnvironmentVariable("KUCUN_INIT"),
                   {QStringLiteral("--server"), folders.server});
        QVERIFY(init.waitForFinished(60000));
        QCOMPARE(init.exitCode(), exitCode);
    }
    const ReadResult<Settings> settings = readSettings(folders);
    QVERIFY(settings);
    QCOMPARE(settings->look.itemHeight, 25);
}

QTEST_GUILESS_MAIN(ServerStoreTest)
#include "tst_serverstore.moc"
