#include "book/files/Book.h"
#include "book/settings/Settings.h"
#include "helpers/ServerCluster.h"
#include "helpers/TestTables.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "store/server/PgConnection.h"
#include "store/server/ServerSchema.h"
#include "store/server/ServerSql.h"

#include <QDateTime>
#include <QHash>
#include <QProcess>
#include <QTest>
#include <functional>

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
    void tablesWorkAlikeOnFilesAndServer();
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
    QTest::newRow("no password") << "dbname=kucun"
                                 << ""
                                 << "dbname='kucun'";
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

namespace {

QString shown(const Record &record, const QString &table = tables::型号)
{
    QStringList values{QString::number(record.rowId())};
    const FieldList &fields = tables::fieldsOf(table);
    for (int field = 0; field < fields.size(); ++field) {
        if (record.isAbsentAt(field)) {
            values << QStringLiteral("-");
        } else if (fields[field].kind == FieldKind::DateTime) {
            values << record.dateTimeAt(field).toString(Qt::ISODate);
        } else if (isNumericKind(fields[field].kind)) {
            values << QString::number(record.numberAt(field), 'g', 17);
        } else {
            values << record.textAt(field);
        }
    }
    return values.join(QLatin1Char('|'));
}

// The same steps on the models and the log of a book, and what each shows.
QStringList walkThrough(Table &models, const std::function<bool(Table &, const QString &)> &attach)
{
    QStringList seen;
    const auto note = [&](const QString &step, bool done) {
        seen << step + QLatin1Char(' ') + (done ? "ok" : "failed") + QLatin1Char(' ') +
                    shown(models.current());
    };
    note("append", models.append({"五金", "螺丝", "M3", "个", 2.5, QVariant()}));
    models.append({"五金", "螺母", "M3", "个", 0.1 + 0.2, "备注"});
    models.append({"电料", "开关", "'\"?", QString(), 7.0, QString()});
    note("modify", models.modify({QVariant(), QVariant(), QVariant(), QVariant(), 4.0}));
    note("position 2", models.goToPosition(2));
    models.first();
    note("find", models.findTexts({{fields::名称, "开关"}}));
    models.goToId(1);
    seen << QStringLiteral("count %1").arg(models.recordCount());
    const auto visit = [&](const Record &record) { seen << shown(record); };
    const auto visitLog = [&](const Record &record) { seen << shown(record, tables::明细); };
    note("keyword", models.forEachMatching(
                        RecordFilter::anyContains({fields::名称, fields::型号}, "螺"), visit));
    note("attach", attach(models, tables::明细));
    note("begin", models.beginTransaction());
    models.appendTo(tables::明细, {QDateTime(QDate(2024, 5, 3), QTime(10, 0)), "五金", "螺丝", "M3",
                                   5, 0, "个", QString()});
    seen << QStringLiteral("changed %1")
                .arg(*models.modifyMatching(tables::型号,
                                            RecordFilter::textsEqual({{fields::型号, "M3"}}),
                                            {QVariant(), QVariant(), QVariant(), "盒"}));
    note("commit", models.commit());
    models.beginTransaction();
    models.removeMatching(tables::明细, RecordFilter::all());
    models.rollback();
    note("log", models.forEachIn(tables::明细, RecordFilter::all(), visitLog));
    const auto totals =
        models.totalsByTexts(RecordFilter::all(), {fields::品类}, fields::库存, fields::库存);
    seen << QStringLiteral("totals %1").arg(totals ? totals->size() : -1);
    note("remove", models.removeMatching(tables::型号, RecordFilter::idsIn({2})));
    seen << QStringLiteral("count %1").arg(models.recordCount());
    return seen;
}

} // namespace

void ServerStoreTest::tablesWorkAlikeOnFilesAndServer()
{
    test::TestTables files;
    files.create(tables::型号);
    files.create(tables::明细);
    Table onFiles;
    QVERIFY(onFiles.open(files.path(tables::型号), tablePassword()));
    const QStringList fromFiles = walkThrough(onFiles, [&](Table &table, const QString &name) {
        return table.attach(files.path(name), tablePassword());
    });

    // On the server as the README's booking role, with only the rights it gives.
    const QString owner = m_cluster.createBook(QStringLiteral("alike"));
    const auto granting = pg::Connection::open(owner, nullptr);
    QVERIFY(granting &&
            granting->execScript(QStringLiteral(
                "CREATE ROLE counter LOGIN; GRANT USAGE ON SCHEMA kucun TO counter; GRANT SELECT, "
                "INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA kucun TO counter")));
    BookFolders folders = files.folders();
    folders.server = owner + QStringLiteral(" user=counter");
    Table onServer;
    QVERIFY2(Book(folders).open(onServer, tables::型号), qPrintable(m_cluster.failure()));
    const QStringList fromServer = walkThrough(
        onServer, [](Table &table, const QString &name) { return table.attachTable(name); });
    QCOMPARE(fromServer, fromFiles);
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
