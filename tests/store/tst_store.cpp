#include "helpers/TestTables.h"
#include "store/RecordFilter.h"
#include "store/SqlCipher.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class StoreTest : public QObject
{
    Q_OBJECT

private slots:
    void everyKindOfFailedOpen();
    void openAddsTheExtensionToANameWithoutOne();
    void appendReadAndNavigate();
    void modifyKeepsMissingValues();
    void findTexts();
    void readsAreTyped();
    void numericColumnsOfAnyTypeReadAsNumbers();
    void attachedTablesChangeTogether();
    void filtersAndRecordIdentity();
    void recordCountsFollowEveryChange();
    void storedDateTimes();
    void olderLogsGetTheModelIndex();
    void totalsByTexts();
};

namespace {

// Writes a database with the given statements, keyed like a table file.
void writeRawTable(const QString &path, const QStringList &statements, const QString &key)
{
    auto connection = sql::Connection::create(path, key);
    QVERIFY(connection);
    for (const QString &statement : statements) {
        QVERIFY2(connection->exec(statement), qPrintable(connection->lastError()));
    }
}

} // namespace

void StoreTest::everyKindOfFailedOpen()
{
    TestTables files;
    Table table;

    // A missing file fails and is not created.
    QVERIFY(!table.open(files.path(tables::品类), tablePassword()));
    QVERIFY(!QFile::exists(files.path(tables::品类)));

    files.create(tables::品类);
    QVERIFY(!table.open(files.path(tables::品类), QStringLiteral("123456")));
    QVERIFY(!table.isOpen());

    // A file that is no database at all.
    const QString junk = QDir(files.workDir()).filePath(QStringLiteral("名称.edb"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QVERIFY(!table.open(junk, tablePassword()));

    // A table file that lacks its table.
    const QString other = QDir(files.workDir()).filePath(QStringLiteral("型号.edb"));
    writeRawTable(other, {QStringLiteral("CREATE TABLE \"别的\" (a TEXT)")}, tablePassword());
    QVERIFY(!table.open(other, tablePassword()));

    // The same file twice: the second open fails until the first closes.
    QVERIFY(table.open(files.path(tables::品类), tablePassword()));
    Table second;
    QVERIFY(!second.open(files.path(tables::品类), tablePassword()));
    table.close();
    QVERIFY(second.open(files.path(tables::品类), tablePassword()));
}

void StoreTest::openAddsTheExtensionToANameWithoutOne()
{
    TestTables files;
    files.create(tables::品类);
    const QDir work(files.workDir());
    Table table;
    QVERIFY(table.open(work.filePath(tables::品类), tablePassword()));
    QCOMPARE(table.schema().tableName(), tables::品类);
    QCOMPARE(table.recordCount(), 0);
    QVERIFY(table.atEnd());
    QCOMPARE(table.text(fields::品类), QString());
    table.close();
    // A name with an extension is used as it stands.
    QVERIFY(!table.open(work.filePath(QStringLiteral("品类.dat")), tablePassword()));
    QVERIFY(table.open(work.filePath(QStringLiteral("品类.edb")), tablePassword()));
}

void StoreTest::appendReadAndNavigate()
{
    TestTables files;
    files.create(tables::明细);
    Table table;
    QVERIFY(table.open(files.path(tables::明细), tablePassword()));
    QVERIFY(table.append({QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                          QStringLiteral("8寸"), 3, QVariant(), QStringLiteral("把"),
                          QStringLiteral("进货")}));
    QCOMPARE(table.current().rowId(), 1);
    // Fewer values than fields: the rest are empty.
    QVERIFY(
        table.append({storedDateTime(QDate(2024, 5, 4), QTime(9, 30)), QStringLiteral("五金")}));
    QCOMPARE(table.current().rowId(), 2);
    QCOMPARE(table.text(fields::型号), QString());
    QCOMPARE(table.number(fields::入库), 0.0);
    QCOMPARE(table.recordCount(), 2);

    table.first();
    QCOMPARE(table.dateTime(fields::日期), storedDateTime(QDate(2024, 5, 3)));
    QCOMPARE(table.text(fields::名称), QStringLiteral("扳手"));
    QCOMPARE(table.number(fields::入库), 3.0);
    QCOMPARE(table.number(fields::出库), 0.0);
    QVERIFY(table.goToId(2));
    QCOMPARE(table.dateTime(fields::日期), storedDateTime(QDate(2024, 5, 4), QTime(9, 30)));
    QVERIFY(!table.goToId(3));
    QCOMPARE(table.text(fields::品类), QStringLiteral("五金"));

    QStringList visited;
    QVERIFY(table.forEachMatching(RecordFilter::all(), [&visited](const Record &record) {
        visited << record.text(fields::品类) + record.text(fields::名称);
    }));
    QCOMPARE(visited, (QStringList{QStringLiteral("五金扳手"), QStringLiteral("五金")}));
    // A scan of chosen fields reads just those.
    QVERIFY(table.forEachMatching(
        RecordFilter::idsIn({2}), {fields::出库, fields::日期}, [](const Record &record) {
            QCOMPARE(record.rowId(), 2);
            QCOMPARE(record.dateTimeAt(1).time(), QTime(9, 30));
            QVERIFY_THROWS_EXCEPTION(StoreError, record.text(fields::品类));
        }));
}

void StoreTest::modifyKeepsMissingValues()
{
    TestTables files;
    files.create(tables::型号);
    Table table;
    QVERIFY(table.open(files.path(tables::型号), tablePassword()));
    QVERIFY(table.append({QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
                          QStringLiteral("把"), QVariant(), QStringLiteral("常用")}));
    QCOMPARE(table.number(fields::库存), 0.0);
    QVERIFY(table.modify({QVariant(), QVariant(), QVariant(), QVariant(), 12.5}));
    QVERIFY(table.modify(
        {QVariant(), QVariant(), QStringLiteral("10寸"), QString(), QVariant(), QVariant()}));
    table.close();

    QVERIFY(table.open(files.path(tables::型号), tablePassword()));
    QCOMPARE(table.text(fields::型号), QStringLiteral("10寸"));
    QCOMPARE(table.text(fields::单位), QString());
    QCOMPARE(table.number(fields::库存), 12.5);
    QCOMPARE(table.text(fields::备注), QStringLiteral("常用"));
    QVERIFY(!table.findTexts({{fields::型号, QStringLiteral("8寸")}}));
    QVERIFY(!table.modify({QStringLiteral("x")}));
}

void StoreTest::findTexts()
{
    TestTables files;
    files.create(tables::名称);
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    files.add(tables::名称, {QStringLiteral("电工"), QStringLiteral("电线")});
    files.add(tables::名称, {QStringLiteral("五金"), QVariant()});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("钳子")});
    Table table;
    QVERIFY(table.open(files.path(tables::名称), tablePassword()));

    // Scanning goes forward from the current record.
    QVERIFY(table.goToId(2));
    QVERIFY(table.findTexts({{fields::品类, QStringLiteral("五金")}}));
    QCOMPARE(table.current().rowId(), 3);
    QVERIFY(table.findTexts(
        {{fields::品类, QStringLiteral("五金")}, {fields::名称, QStringLiteral("钳子")}}));
    QCOMPARE(table.current().rowId(), 4);
    table.first();
    // An absent text equals the empty text; equality is exact.
    QVERIFY(table.findTexts({{fields::品类, QStringLiteral("五金")}, {fields::名称, QString()}}));
    QCOMPARE(table.current().rowId(), 3);
    table.first();
    QVERIFY(!table.findTexts({{fields::名称, QStringLiteral("扳手 ")}}));
    QVERIFY(table.atEnd());
    QCOMPARE(table.text(fields::名称), QString());
}

void StoreTest::readsAreTyped()
{
    TestTables files;
    files.create(tables::设置);
    Table table;
    QVERIFY(table.open(files.path(tables::设置), tablePassword()));
    // The settings file holds one record of empty fields.
    QCOMPARE(table.recordCount(), 1);
    QCOMPARE(table.text(fields::密码), QString());
    QCOMPARE(table.logical(fields::登陆密码), false);
    QCOMPARE(table.number(fields::菜单高度), 0.0);

    QVERIFY_THROWS_EXCEPTION(StoreError, table.text(QStringLiteral("没有的字段")));
    try {
        table.dateTime(fields::密码);
        QFAIL("a text read as a date-time");
    } catch (const StoreError &error) {
        QCOMPARE(error.message(), QStringLiteral("表 设置 的字段 密码 不是日期时间类型"));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, table.text(fields::登陆密码));
    QVERIFY_THROWS_EXCEPTION(StoreError, table.logical(fields::密码));
    QVERIFY_THROWS_EXCEPTION(StoreError, table.number(fields::密码));
    QVERIFY(table.modify({QStringLiteral("pw"), true, false, true, 30}));
    QCOMPARE(table.logical(fields::登陆密码), true);
    QCOMPARE(table.logical(fields::日志密码), false);
    QCOMPARE(table.number(fields::菜单高度), 30.0);
    table.close();
    QVERIFY_THROWS_EXCEPTION(StoreError, table.text(fields::密码));
}

void StoreTest::numericColumnsOfAnyTypeReadAsNumbers()
{
    TestTables files;
    const QString path = files.path(tables::型号);
    writeRawTable(path,
                  {QStringLiteral("CREATE TABLE \"型号\" (\"品类\" VARCHAR(20), \"名称\" TEXT, "
                                  "\"型号\" TEXT, \"单位\" TEXT, \"库存\" SMALLINT, \"备注\" TEXT, "
                                  "a TINYINT, b BIGINT, c FLOAT, d DOUBLE)"),
                   QStringLiteral("INSERT INTO \"型号\" VALUES ('五金', '扳手', '8寸', '把', 7, "
                                  "NULL, -3, 9000000000, 2.5, 0.125)")},
                  tablePassword());
    Table table;
    QVERIFY(table.open(path, tablePassword()));
    QCOMPARE(table.text(fields::品类), QStringLiteral("五金"));
    QCOMPARE(table.number(fields::库存), 7.0);
    QCOMPARE(table.number(QStringLiteral("a")), -3.0);
    QCOMPARE(table.number(QStringLiteral("b")), 9000000000.0);
    QCOMPARE(table.number(QStringLiteral("c")), 2.5);
    QCOMPARE(table.number(QStringLiteral("d")), 0.125);
    QCOMPARE(table.text(fields::备注), QString());
}

void StoreTest::attachedTablesChangeTogether()
{
    TestTables files;
    files.create(tables::型号);
    files.add(tables::型号, {QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
                             QStringLiteral("把"), 5.0});
    Table models;
    QVERIFY(models.open(files.path(tables::型号), tablePassword()));
    // A missing log file cannot be joined.
    QVERIFY(!models.attach(files.path(tables::明细), tablePassword()));
    files.create(tables::明细);
    QVERIFY(!models.attach(files.path(tables::明细), QStringLiteral("wrong")));
    Table other;
    QVERIFY(other.open(files.path(tables::明细), tablePassword()));
    QVERIFY(!models.attach(files.path(tables::明细), tablePassword()));
    other.close();
    QVERIFY(models.attach(files.path(tables::明细), tablePassword()));
    // While joined, the log file counts as open.
    QVERIFY(!other.open(files.path(tables::明细), tablePassword()));

    const QVariantList movement{QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                                QStringLiteral("8寸"), 2};
    QVERIFY(models.beginTransaction());
    QVERIFY(models.modify({QVariant(), QVariant(), QVariant(), QVariant(), 7.0}));
    QVERIFY(models.appendTo(tables::明细, movement));
    models.rollback();
    QVERIFY(models.beginTransaction());
    QVERIFY(models.modify({QVariant(), QVariant(), QVariant(), QVariant(), 9.0}));
    QVERIFY(models.appendTo(tables::明细, movement));
    QVERIFY(models.commit());
    QVERIFY(!models.appendTo(QStringLiteral("品类"), {QStringLiteral("x")}));
    models.close();

    QVERIFY(models.open(files.path(tables::型号), tablePassword()));
    QCOMPARE(models.number(fields::库存), 9.0);
    QVERIFY(other.open(files.path(tables::明细), tablePassword()));
    QCOMPARE(other.recordCount(), 1);
    QCOMPARE(other.number(fields::入库), 2.0);
}

void StoreTest::filtersAndRecordIdentity()
{
    TestTables files;
    files.create(tables::明细);
    const auto add = [&files](const QVariant &date, const char *category, const char *remark) {
        files.add(tables::明细,
                  {date, QString::fromUtf8(category), QStringLiteral("扳手"), QStringLiteral("8寸"),
                   1, QVariant(), QStringLiteral("把"), QString::fromUtf8(remark)});
    };
    add(QDate(2024, 5, 2), "五金", "");
    add(QDate(2024, 5, 3), "电工", "Abc");
    add(QStringLiteral("2024-05-03"), "五金", "");
    add(storedDateTime(QDate(2024, 5, 4), QTime(10, 0)), "水暖", "abc");
    add(QDate(2024, 5, 4), "五金", "");
    Table log;
    QVERIFY(log.open(files.path(tables::明细), tablePassword()));
    const auto matching = [&log](const RecordFilter &filter) {
        QList<qint64> numbers;
        // A scan that fails shows as the id 0, which no record has.
        if (!log.forEachMatching(filter, [&numbers](const Record &r) { numbers << r.rowId(); })) {
            numbers << 0;
        }
        return numbers;
    };
    QCOMPARE(
        matching(RecordFilter::dateTimeBetween(fields::日期, QDate(2024, 5, 3), QDate(2024, 5, 4))),
        (QList<qint64>{2, 3, 5}));
    QCOMPARE(
        matching(RecordFilter::anyContains({fields::品类, fields::备注}, QStringLiteral("bc"))),
        (QList<qint64>{2, 4}));
    QCOMPARE(matching(RecordFilter::anyContains({fields::备注}, QStringLiteral("A"))),
             (QList<qint64>{2}));
    QCOMPARE(matching(RecordFilter::textsEqual({{fields::品类, QStringLiteral("五金")}})),
             (QList<qint64>{1, 3, 5}));

    QCOMPARE(matching(RecordFilter::idsIn({5, 2, 9})), (QList<qint64>{2, 5}));
    QCOMPARE(matching(RecordFilter::idsIn({})), QList<qint64>());

    // A record keeps its identity when records before it are removed.
    QVERIFY(log.removeMatching(tables::明细, RecordFilter::idsIn({1})));
    QVERIFY(log.goToId(4));
    QCOMPARE(log.text(fields::品类), QStringLiteral("水暖"));
    QVERIFY(!log.goToId(1));
}

void StoreTest::recordCountsFollowEveryChange()
{
    TestTables files;
    files.create(tables::品类);
    files.create(tables::名称);
    const auto countOf = [&files](const QString &table) {
        Table file;
        file.open(files.path(table), tablePassword());
        return file.recordCount();
    };
    files.add(tables::品类, {QStringLiteral("a")});
    QCOMPARE(countOf(tables::品类), 1);
    files.add(tables::品类, {QStringLiteral("b")});
    QCOMPARE(countOf(tables::品类), 2);

    // A change made by another program is seen.
    {
        auto outside = sql::Connection::openExisting(files.path(tables::品类), tablePassword());
        QVERIFY(outside->exec(QStringLiteral("INSERT INTO 品类 VALUES ('c'), ('d')")));
    }
    QCOMPARE(countOf(tables::品类), 4);

    // Joined writes, committed and rolled back.
    Table table;
    QVERIFY(table.open(files.path(tables::品类), tablePassword()));
    QVERIFY(table.attach(files.path(tables::名称), tablePassword()));
    QVERIFY(table.beginTransaction());
    QVERIFY(table.append({QStringLiteral("e")}));
    QVERIFY(table.appendTo(tables::名称, {QStringLiteral("e"), QStringLiteral("x")}));
    QVERIFY(table.commit());
    QVERIFY(table.beginTransaction());
    QVERIFY(table.appendTo(tables::名称, {QStringLiteral("e"), QStringLiteral("y")}));
    table.rollback();
    table.close();
    QCOMPARE(countOf(tables::品类), 5);
    QCOMPARE(countOf(tables::名称), 1);

    QVERIFY(table.open(files.path(tables::品类), tablePassword()));
    QVERIFY(table.removeMatching(tables::品类, RecordFilter::idsIn({1, 3})));
    table.close();
    QCOMPARE(countOf(tables::品类), 3);
}

void StoreTest::storedDateTimes()
{
    QCOMPARE(parseStoredDateTime(QStringLiteral("2024-05-03")), storedDateTime(QDate(2024, 5, 3)));
    QCOMPARE(parseStoredDateTime(QStringLiteral("2024-13-03 00:00:00")), QDateTime());
    QCOMPARE(parseStoredDateTime(QStringLiteral("昨天")), QDateTime());
}

void StoreTest::olderLogsGetTheModelIndex()
{
    TestTables files;
    files.create(tables::明细);
    const auto indexes = [&files] {
        auto log = sql::Connection::openExisting(files.path(tables::明细), tablePassword());
        sql::Statement names(log->handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE "
                                                           "type = 'index' ORDER BY name"));
        QStringList found;
        while (names.step()) {
            found << names.textAt(0);
        }
        return found;
    };
    const QStringList made{QStringLiteral("明细_型号"), QStringLiteral("明细_日期")};
    QCOMPARE(indexes(), made);
    {
        auto log = sql::Connection::openExisting(files.path(tables::明细), tablePassword());
        QVERIFY(log->exec(QStringLiteral("DROP INDEX \"明细_型号\"")));
    }
    QVERIFY(addMissingIndexes(files.path(tables::明细), tables::明细));
    QCOMPARE(indexes(), made);
    QVERIFY(addMissingIndexes(files.path(tables::明细), tables::明细));
}

void StoreTest::totalsByTexts()
{
    TestTables files;
    files.create(tables::明细);
    const auto move = [&files](const char *day, const QVariant &model, const QVariant &in,
                               const QVariant &out) {
        files.add(tables::明细, {QString::fromLatin1(day), QStringLiteral("c"), QStringLiteral("i"),
                                 model, in, out});
    };
    move("2024-01-01", QStringLiteral("a"), 5, QVariant());
    move("2024-01-02 09:30:00", QStringLiteral("a"), QVariant(), 2.5);
    move("2024-01-02", QVariant(), 1, QVariant());
    move("2024-01-03", QString(), 3, 1);
    move("2023-12-31 23:59:59", QStringLiteral("a"), 100, QVariant());
    Table log;
    QVERIFY(log.open(files.path(tables::明细), tablePassword()));
    const auto totals = log.totalsByTexts(RecordFilter::dateTimeFrom(fields::日期, {2024, 1, 1}),
                                          {fields::品类, fields::型号}, fields::入库, fields::出库);
    QVERIFY(totals);
    QMap<QString, double> byTexts;
    for (const Table::TextsTotal &total : *totals) {
        byTexts[total.texts.join(u'/')] += total.total;
    }
    // An absent model is the empty text; the movement before the day is left out.
    const QMap<QString, double> expected{{QStringLiteral("c/a"), 2.5}, {QStringLiteral("c/"), 3}};
    QCOMPARE(byTexts, expected);
    QCOMPARE(qsizetype(totals->size()), 2);
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
