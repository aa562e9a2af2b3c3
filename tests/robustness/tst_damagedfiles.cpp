#include "book/ChangeNotifier.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/reports/CategoryReport.h"
#include "book/reports/MonthlyMovements.h"
#include "book/settings/Settings.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "store/SqlCipher.h"
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

// The settings file is made in the data folder too, which the tests pass as
// the program's folder.
const QStringList dataTables{tables::品类, tables::名称, tables::型号, tables::明细, tables::设置};

constexpr qint64 manyRecords = 600;

// The faults of every read and of a write of the stock book that touch the
// table, each of which reads the table before it writes; None where it
// read. A StoreError escaping fails the test.
QList<StoreFault> useTable(const QString &folder, const QString &table)
{
    // The settings file is there too, the folder passed as the program's.
    const BookFolders files = bookFoldersAt(folder, folder);
    ChangeNotifier changes;
    // The last record of a file of many: finding it reads every page.
    const QString first = QStringLiteral("五金%1").arg(manyRecords);
    if (table == tables::设置) {
        return {readSettings(files).fault(), saveMenuLook(files, {}).fault()};
    }
    if (table == tables::品类) {
        return {readCategories(files).fault(),
                deleteCategory(files, manyRecords, first, changes).fault()};
    }
    if (table == tables::名称) {
        return {readItems(files).fault(), deleteItem(files, first, first, changes).fault()};
    }
    if (table == tables::型号) {
        return {readAllModels(files).fault(),
                queryCategoryReport(files, {2, first, QString(), {}}).fault(),
                book(files, {first, first, first, MovementKind::In, 1, 1, QDate(2024, 5, 3), {}},
                     changes)
                    .fault(),
                modifyModel(files, first, first, first, {first, first, first}, changes).fault()};
    }
    MovementRecord shown;
    shown.id = 1;
    return {movementsWithKeyword(files, QString()).fault(),
            readMovements(files, {1, 2, 3}).fault(),
            movementsOfDay(files, QDate(2024, 5, 3)).fault(),
            movementsBetween(files, QDate(1, 1, 1), QDate(9999, 12, 31)).fault(),
            monthlyNetMovements(files, {{first, first, first}}, 2024, 5).fault(),
            deleteMovements(files, {shown}, changes).outcome.fault()};
}

// A sound file of the table with a few records, or with pages of them.
void writeSoundFile(const QString &path, const QString &table, qint64 count = 40)
{
    QVERIFY(createTableFile(path, table));
    const int fieldCount = int(tables::fieldsOf(table).size());
    QVERIFY(insertRecords(path, table, count, [&](qint64 i) {
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
    // What every read and write of the damaged table must give: a fault,
    // None (values as stored, NULL as empty) or "any" (what part of the file
    // still holds).
    QTest::addColumn<QString>("expected");
    const QList<std::pair<QString, QString>> damages{
        {QStringLiteral("empty"), QStringLiteral("Unavailable")},
        {QStringLiteral("truncated"), QStringLiteral("any")},
        {QStringLiteral("random bytes"), QStringLiteral("Unavailable")},
        {QStringLiteral("damaged page"), QStringLiteral("any")},
        {QStringLiteral("damaged last page"), QStringLiteral("Unavailable")},
        {QStringLiteral("other key"), QStringLiteral("Unavailable")},
        {QStringLiteral("without its table"), QStringLiteral("Unavailable")},
        {QStringLiteral("column missing"), QStringLiteral("WrongLayout")},
        {QStringLiteral("columns of other types"), QStringLiteral("WrongLayout")},
        {QStringLiteral("values of other types"), QStringLiteral("None")},
        {QStringLiteral("NULLs everywhere"), QStringLiteral("None")},
    };
    for (const QString &table : dataTables) {
        for (const auto &[damage, expected] : damages) {
            // Reads and writes that stop short of the last page may work.
            const bool lastPageRead = table == tables::品类 || table == tables::名称;
            QTest::newRow(qPrintable(table + u' ' + damage))
                << table << damage
                << (damage == u"damaged last page" && !lastPageRead ? QStringLiteral("any")
                                                                    : expected);
        }
    }
}

void DamagedFilesTest::damagedFilesFailCleanly()
{
    QFETCH(QString, table);
    QFETCH(QString, damage);
    QFETCH(QString, expected);

    QTemporaryDir work;
    for (const QString &name : dataTables) {
        if (name != table) {
            writeSoundFile(work.filePath(tables::fileNameOf(name)), name);
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
    } else if (damage == u"damaged last page") {
        writeSoundFile(path, table, manyRecords);
        overwrite(path, QFileInfo(path).size() - 4096 + 100, 900, 3);
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
        const QList<StoreFault> faults = useTable(work.path(), table);
        if (expected != u"any") {
            const StoreFault fault = expected == u"Unavailable"   ? StoreFault::Unavailable
                                     : expected == u"WrongLayout" ? StoreFault::WrongLayout
                                                                  : StoreFault::None;
            QCOMPARE(faults, QList<StoreFault>(faults.size(), fault));
            if (fault == StoreFault::WrongLayout) {
                // The owner is told the table and its first field that is wrong.
                for (const StoreFault &told : faults) {
                    QCOMPARE(told.table(), table);
                    QCOMPARE(told.field(), tables::fieldsOf(table).first().name);
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(DamagedFilesTest)
#include "tst_damagedfiles.moc"
