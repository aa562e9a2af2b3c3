#include "book/ChangeNotifier.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/reports/CategoryReport.h"
#include "book/reports/MonthlyMovements.h"
#include "book/settings/Settings.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "store/SqlCipher.h"
#include "store/StoreError.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <random>

using namespace kucun;

// Damaged and foreign table files must fail to open or read as what they
// hold, with a clear error, never a crash or a hang. This suite is built
// with AddressSanitizer and UndefinedBehaviorSanitizer.
class DamagedFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedFilesFailCleanly_data();
    void damagedFilesFailCleanly();
};

namespace {

// The settings file is made in the working directory too, which the tests
// pass as the program's directory.
const QStringList dataTables{tables::品类, tables::名称, tables::型号, tables::明细, tables::设置};

// What the reads of a table gave: opened, failed to open, or a store error.
enum class Result
{
    Read,
    NotOpened,
    StoreError,
};

// Every read and write of the stock book that touches the table.
QList<Result> useTable(const QString &table)
{
    QList<Result> results;
    const auto run = [&results](const std::function<bool()> &operation) {
        try {
            results << (operation() ? Result::Read : Result::NotOpened);
        } catch (const StoreError &) {
            results << Result::StoreError;
        }
    };
    ChangeNotifier changes;
    if (table == tables::设置) {
        run([] { return readSettings(QDir::currentPath()).has_value(); });
    } else if (table == tables::品类) {
        run([] { return readCategories().has_value(); });
    } else if (table == tables::名称) {
        run([] { return readItems().has_value(); });
    } else if (table == tables::型号) {
        run([] { return readAllModels().has_value(); });
        run([] {
            return queryCategoryReport({2, QStringLiteral("五金"), QString(), {}}).has_value();
        });
        run([&changes] {
            return book({QStringLiteral("五金"),
                         QStringLiteral("扳手"),
                         QStringLiteral("8寸"),
                         MovementKind::In,
                         1,
                         1,
                         QDate(2024, 5, 3),
                         {}},
                        changes) != BookingOutcome::TableUnavailable;
        });
    } else {
        run([] {
            const std::optional<LogMatches> all = movementsWithKeyword(QString());
            return all && readMovements(all->ids).has_value();
        });
        run([] { return movementsOfDay(QDate(2024, 5, 3)).has_value(); });
        run([] { return movementsBetween(QDate(1, 1, 1), QDate(9999, 12, 31)).has_value(); });
        run([] {
            return monthlyNetMovements({{QStringLiteral("五金"), {}, {}}}, 2024, 5).has_value();
        });
        run([&changes] {
            const std::optional<LogMatches> all = movementsWithKeyword(QString());
            const auto shown = all ? readMovements(all->ids.mid(0, 1)) : std::nullopt;
            return shown &&
                   deleteMovements(*shown, changes).outcome != DeletionOutcome::TableUnavailable;
        });
    }
    return results;
}

// A sound file of the table with a few records.
void writeSoundFile(const QString &path, const QString &table)
{
    QVERIFY(createTableFile(path, table));
    const int fieldCount = int(tables::fieldsOf(table).size());
    QVERIFY(insertRecords(path, table, 40, [&](qint64 i) {
        QVariantList values;
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            switch (field.kind) {
            case FieldKind::Text:
                values << QStringLiteral("五金%1").arg(i);
                break;
            case FieldKind::DateTime:
                values << QStringLiteral("2024-05-03 00:00:00");
                break;
            default:
                values << double(i);
            }
        }
        Q_ASSERT(values.size() == fieldCount);
        return values;
    }));
}

// A file the program did not write: a table made by the statements given.
void writeForeignFile(const QString &path, const QString &key, const QStringList &statements)
{
    const auto connection = sql::Connection::create(path, key);
    QVERIFY(connection);
    for (const QString &statement : statements) {
        QVERIFY2(connection->exec(statement), qPrintable(connection->lastError()));
    }
}

QString columns(const QString &table, const QString &type)
{
    QStringList declared;
    for (const FieldDefinition &field : tables::fieldsOf(table)) {
        declared << sql::quoteIdentifier(field.name) + u' ' + type;
    }
    return declared.join(u',');
}

void overwrite(const QString &path, qint64 from, qint64 length, quint32 seed)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    std::mt19937 random(seed);
    QByteArray noise(int(length), Qt::Uninitialized);
    for (char &byte : noise) {
        byte = char(random());
    }
    file.seek(from);
    file.write(noise);
}

} // namespace

void DamagedFilesTest::damagedFilesFailCleanly_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("damage");
    // What every read of the damaged table must give: "unopened", "read"
    // (values as stored, NULL as empty), "refused" (unopened or a store
    // error naming the fault) or "any" (what part of the file still holds).
    QTest::addColumn<QString>("expected");
    const QStringList damages{
        QStringLiteral("empty"),
        QStringLiteral("truncated"),
        QStringLiteral("random bytes"),
        QStringLiteral("damaged page"),
        QStringLiteral("other key"),
        QStringLiteral("without its table"),
        QStringLiteral("column missing"),
        QStringLiteral("columns of other types"),
        QStringLiteral("values of other types"),
        QStringLiteral("NULLs everywhere"),
    };
    for (const QString &table : dataTables) {
        for (const QString &damage : damages) {
            const QString expected =
                damage == u"empty" || damage == u"random bytes" || damage == u"other key" ||
                        damage == u"without its table"
                    ? QStringLiteral("unopened")
                : damage.startsWith(u"column") ? QStringLiteral("refused")
                : damage == u"NULLs everywhere" || damage == u"values of other types"
                    ? QStringLiteral("read")
                    : QStringLiteral("any");
            QTest::newRow(qPrintable(table + u' ' + damage)) << table << damage << expected;
        }
    }
}

void DamagedFilesTest::damagedFilesFailCleanly()
{
    QFETCH(QString, table);
    QFETCH(QString, damage);
    QFETCH(QString, expected);

    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    for (const QString &name : dataTables) {
        if (name != table) {
            writeSoundFile(tables::fileNameOf(name), name);
        }
    }
    const QString path = work.filePath(tables::fileNameOf(table));
    const QString key = tablePassword();
    // A truncated file is tried at each length; -1 stands for the file as made.
    QList<qint64> lengths{-1};
    QByteArray sound;
    if (damage == u"empty") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (damage == u"truncated") {
        writeSoundFile(path, table);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        sound = file.readAll();
        const qint64 size = sound.size();
        lengths = {1, 100, 1024, 4095, 4096, 5000, size / 2, size - 1};
    } else if (damage == u"random bytes") {
        writeSoundFile(path, table);
        overwrite(path, 0, QFileInfo(path).size(), 1);
    } else if (damage == u"damaged page") {
        writeSoundFile(path, table);
        overwrite(path, 4096 + 100, 900, 2);
    } else if (damage == u"other key") {
        writeForeignFile(
            path, QStringLiteral("123456"),
            {QStringLiteral("CREATE TABLE %1(%2)")
                 .arg(sql::quoteIdentifier(table), columns(table, QStringLiteral("TEXT")))});
    } else if (damage == u"without its table") {
        writeForeignFile(path, key, {QStringLiteral("CREATE TABLE other(a TEXT)")});
    } else if (damage == u"column missing") {
        writeForeignFile(
            path, key,
            {QStringLiteral("CREATE TABLE %1(unrelated TEXT)").arg(sql::quoteIdentifier(table)),
             QStringLiteral("INSERT INTO %1 VALUES('x')").arg(sql::quoteIdentifier(table))});
    } else if (damage == u"columns of other types") {
        writeForeignFile(
            path, key,
            {QStringLiteral("CREATE TABLE %1(%2)")
                 .arg(sql::quoteIdentifier(table), columns(table, QStringLiteral("BLOB"))),
             QStringLiteral("INSERT INTO %1 VALUES(%2)")
                 .arg(sql::quoteIdentifier(table),
                      QStringList(tables::fieldsOf(table).size(), QStringLiteral("x'00ff'"))
                          .join(u','))});
    } else if (damage == u"values of other types") {
        writeSoundFile(path, table);
        QStringList assignments;
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            assignments << sql::quoteIdentifier(field.name) + (field.kind == FieldKind::Text
                                                                   ? QStringLiteral(" = 3.5")
                                                                   : QStringLiteral(" = '五x'"));
        }
        const auto connection = sql::Connection::openExisting(path, key);
        QVERIFY(connection);
        QVERIFY(connection->exec(QStringLiteral("UPDATE %1 SET %2")
                                     .arg(sql::quoteIdentifier(table), assignments.join(u','))));
    } else {
        writeSoundFile(path, table);
        const auto connection = sql::Connection::openExisting(path, key);
        QVERIFY(connection);
        QStringList nulls;
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            nulls << sql::quoteIdentifier(field.name) + QStringLiteral(" = NULL");
        }
        QVERIFY(connection->exec(
            QStringLiteral("UPDATE %1 SET %2").arg(sql::quoteIdentifier(table), nulls.join(u','))));
    }

    for (const qint64 length : std::as_const(lengths)) {
        if (length >= 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(sound.left(length));
        }
        const QList<Result> results = useTable(table);
        QVERIFY(!results.isEmpty());
        for (const Result result : results) {
            if (expected == u"unopened") {
                QCOMPARE(result, Result::NotOpened);
            } else if (expected == u"read") {
                QCOMPARE(result, Result::Read);
            }
        }
        // Reading the whole table is refused; a booking may find no model.
        if (expected == u"refused") {
            QVERIFY(results.first() != Result::Read);
        }
    }
    QDir::setCurrent(previous);
}

QTEST_GUILESS_MAIN(DamagedFilesTest)
#include "tst_damagedfiles.moc"
