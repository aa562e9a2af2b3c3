#include "book/ChangeNotifier.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "helpers/OutcomeText.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <random>

using namespace kucun;
using namespace kucun::test;

class BookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init() { useRowStore(); }
    void bookingOutcomes_data();
    void bookingOutcomes();
    void aFailedLogWriteLeavesTheStock();
    void twoProgramsBookingAtOnceLoseNothing();
    void logQueries_data();
    void logQueries();
    void deletingTakesOnlyRowsAsShown_data();
    void deletingTakesOnlyRowsAsShown();
    void aLogThatCantBeWrittenLosesNothing();
    void catalogueReads();
    void emptyTextsOddDatesAndFilesWithoutIndexes();
    void catalogueChanges();
    void numberAndDateTexts();
    void cascadesReachExactlyTheirRecords();
};

namespace {

const QString hardware = QStringLiteral("五金");
const QString spanner = QStringLiteral("扳手");
const QString inch8 = QStringLiteral("8寸");
const QString inch10 = QStringLiteral("10寸");

double storedStock(const Book &book, const QString &item, const QString &model)
{
    Table table;
    if (!book.open(table, tables::型号) ||
        !table.findTexts({{fields::名称, item}, {fields::型号, model}})) {
        return -1;
    }
    return table.number(fields::库存);
}

qint64 movementCount(const Book &book)
{
    Table table;
    return book.open(table, tables::明细) ? table.recordCount() : -1;
}

Movement movement(const QString &model, MovementKind kind, double typed)
{
    return {hardware,
            spanner,
            model,
            kind,
            qint32(typed),
            typed,
            QDate(2024, 5, 3),
            QStringLiteral("备注")};
}

// Sums, per model, the stock-ins minus the stock-outs in the log.
QHash<QString, double> loggedBalances(const Book &book)
{
    QHash<QString, double> balances;
    Table log;
    if (!book.open(log, tables::明细)) {
        return balances;
    }
    const bool whole = log.forEachMatching(RecordFilter::all(), [&](const Record &record) {
        balances[record.text(fields::型号)] +=
            record.number(fields::入库) - record.number(fields::出库);
    });
    return whole ? balances : QHash<QString, double>();
}

// The child program of the concurrency test: books `count` random stock-ins
// and stock-outs of the models 型号0..型号9 of 五金/扳手 into the book in the
// folders it is given and prints how many it booked. A booking may be refused for lack of stock, or
// as busy when the other program held the files longer than the busy timeout; any other outcome
// fails it.
int runBookingChild(const BookFolders &files, int seed, int count)
{
    ChangeNotifier changes;
    std::mt19937 random{unsigned(seed)};
    int booked = 0;
    for (int i = 0; i < count; ++i) {
        const QString model = QStringLiteral("型号%1").arg(random() % 10);
        const MovementKind kind = random() % 2 ? MovementKind::In : MovementKind::Out;
        const Outcome<BookingOutcome> outcome =
            book(files, movement(model, kind, 1 + random() % 5), changes);
        if (outcome == BookingOutcome::Booked) {
            ++booked;
        } else if (outcome != BookingOutcome::NotEnoughStock && outcome != StoreFault::Busy) {
            std::fprintf(stderr, "booking %d ended with outcome %d, fault %d\n", i,
                         int(outcome.reason()), int(outcome.fault().kind()));
            return 1;
        }
    }
    std::printf("%d\n", booked);
    return 0;
}

} // namespace

void BookTest::bookingOutcomes_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("in");
    QTest::addColumn<double>("typed");
    QTest::addColumn<QString>("removedTable");
    using Booking = Outcome<BookingOutcome>;
    QTest::addColumn<Booking>("outcome");
    QTest::addColumn<double>("stockAfter");

    const Booking booked = BookingOutcome::Booked;
    QTest::newRow("in") << inch8 << true << 3.0 << QString() << booked << 13.0;
    QTest::newRow("in, fraction cut") << inch8 << true << 3.9 << QString() << booked << 13.0;
    QTest::newRow("out of all the stock") << inch10 << false << 2.0 << QString() << booked << 0.0;
    QTest::newRow("out of more than the stock")
        << inch10 << false << 3.0 << QString() << Booking(BookingOutcome::NotEnoughStock) << 2.0;
    QTest::newRow("out of 2.5 where 2 are")
        << inch10 << false << 2.5 << QString() << Booking(BookingOutcome::NotEnoughStock) << 2.0;
    QTest::newRow("no such model") << QStringLiteral("12寸") << true << 1.0 << QString()
                                   << Booking(BookingOutcome::ModelNotFound) << -1.0;
    QTest::newRow("no model table")
        << inch8 << true << 1.0 << tables::型号 << Booking(StoreFault::Unavailable) << -1.0;
    QTest::newRow("no log table") << inch8 << true << 1.0 << tables::明细
                                  << Booking(StoreFault::Unavailable) << 10.0;
}

void BookTest::bookingOutcomes()
{
    QFETCH(QString, model);
    QFETCH(bool, in);
    QFETCH(double, typed);
    QFETCH(QString, removedTable);
    QFETCH(Outcome<BookingOutcome>, outcome);
    QFETCH(double, stockAfter);

    TestTables files;
    addSmallShop(files);
    if (!removedTable.isEmpty()) {
        files.removeFile(removedTable);
    }
    ChangeNotifier changes;
    QSignalSpy stockChanged(&changes, &ChangeNotifier::stockChanged);
    QSignalSpy modelStockChanged(&changes, &ChangeNotifier::modelStockChanged);
    QSignalSpy movementsAdded(&changes, &ChangeNotifier::movementsAdded);
    Movement booking = movement(model, in ? MovementKind::In : MovementKind::Out, typed);

    QCOMPARE(book(files.folders(), booking, changes), outcome);
    QCOMPARE(storedStock(files, spanner, model), stockAfter);
    const bool done = outcome.done();
    QCOMPARE(movementsAdded.count(), done ? 1 : 0);
    QCOMPARE(stockChanged.count(), outcome == BookingOutcome::ModelNotFound ? 1 : 0);
    // A booking names the model it changed and its stock now, which the lists show.
    QCOMPARE(modelStockChanged.count(), done ? 1 : 0);
    if (done) {
        const std::vector<ModelRecord> models = *readModelsOf(files.folders(), hardware, spanner);
        const auto changed =
            std::find_if(models.begin(), models.end(),
                         [&model](const ModelRecord &m) { return m.model == model; });
        QCOMPARE(modelStockChanged.first(), (QVariantList{changed->id, stockAfter}));
    }
    if (removedTable != tables::明细) {
        QCOMPARE(movementCount(files), done ? 1 : 0);
    }
    if (done) {
        // The record carries the whole quantity and the unit of the model's record.
        Table log;
        QVERIFY(Book(files).open(log, tables::明细));
        QCOMPARE(log.dateTime(fields::日期), storedDateTime(QDate(2024, 5, 3)));
        QCOMPARE(log.text(fields::品类) + log.text(fields::名称) + log.text(fields::型号),
                 hardware + spanner + model);
        QCOMPARE(log.number(in ? fields::入库 : fields::出库), double(qint32(typed)));
        QCOMPARE(log.number(in ? fields::出库 : fields::入库), 0.0);
        QCOMPARE(log.text(fields::单位), QStringLiteral("把"));
        QCOMPARE(log.text(fields::备注), QStringLiteral("备注"));
    }
}

void BookTest::aFailedLogWriteLeavesTheStock()
{
    TestTables files;
    addSmallShop(files);
    files.refuse(tables::明细, QStringLiteral("INSERT"));
    ChangeNotifier changes;
    QSignalSpy stockChanged(&changes, &ChangeNotifier::stockChanged);
    QSignalSpy movementsAdded(&changes, &ChangeNotifier::movementsAdded);
    QCOMPARE(book(files.folders(), movement(inch8, MovementKind::In, 5), changes),
             StoreFault::WriteFailed);
    QCOMPARE(storedStock(files, spanner, inch8), 10.0);
    QCOMPARE(movementCount(files), 0);
    QCOMPARE(stockChanged.count(), 0);
    QCOMPARE(movementsAdded.count(), 0);
}

void BookTest::twoProgramsBookingAtOnceLoseNothing()
{
    TestTables files;
    files.createAll();
    const Book shop = files;
    for (int i = 0; i < 10; ++i) {
        files.add(tables::型号, {hardware, spanner, QStringLiteral("型号%1").arg(i),
                                 QStringLiteral("把"), 20.0, QString()});
    }
    const int bookingsEach = 300;
    QList<QProcess *> children;
    for (const int seed : {1, 2}) {
        auto *child = new QProcess(this);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--book"), QString::number(seed),
                      QString::number(bookingsEach), files.workDir(), files.programDir(),
                      files.folders().server});
        children << child;
    }
    int booked = 0;
    for (QProcess *child : std::as_const(children)) {
        QVERIFY(child->waitForFinished(120000));
        QVERIFY2(child->exitCode() == 0, child->readAllStandardError().constData());
        booked += child->readAllStandardOutput().trimmed().toInt();
    }
    QVERIFY(booked > bookingsEach);
    QCOMPARE(movementCount(shop), booked);
    const QHash<QString, double> balances = loggedBalances(shop);
    for (int i = 0; i < 10; ++i) {
        const QString model = QStringLiteral("型号%1").arg(i);
        QCOMPARE(storedStock(shop, spanner, model), 20.0 + balances.value(model));
    }
}

void BookTest::logQueries_data()
{
    QTest::addColumn<int>("query");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<qint64>>("ids");
    QTest::addColumn<double>("totalIn");
    QTest::addColumn<double>("totalOut");

    // The log (ids 1 to 6): see logQueries.
    const QDate none;
    QTest::newRow("day") << 0 << QString() << QDate(2024, 5, 3) << none << QList<qint64>{2, 4, 6}
                         << 4.0 << 2.5;
    QTest::newRow("day without movements")
        << 0 << QString() << QDate(2024, 5, 5) << none << QList<qint64>{} << 0.0 << 0.0;
    QTest::newRow("keyword in 型号")
        << 1 << QStringLiteral("寸") << none << none << QList<qint64>{1, 2, 4, 6} << 4.0 << 4.5;
    QTest::newRow("keyword in 备注, case kept")
        << 1 << QStringLiteral("abc") << none << none << QList<qint64>{3} << 7.0 << 0.0;
    QTest::newRow("keyword in 品类")
        << 1 << QStringLiteral("电") << none << none << QList<qint64>{3, 5} << 7.0 << 1.0;
    QTest::newRow("empty keyword")
        << 1 << QString() << none << none << QList<qint64>{1, 2, 3, 4, 5, 6} << 11.0 << 5.5;
    QTest::newRow("range") << 2 << QString() << QDate(2024, 5, 2) << QDate(2024, 5, 3)
                           << QList<qint64>{2, 3, 4, 6} << 11.0 << 2.5;
    QTest::newRow("range ending on a day with a timed movement")
        << 2 << QString() << QDate(2024, 4, 1) << QDate(2024, 4, 30) << QList<qint64>{} << 0.0
        << 0.0;
    QTest::newRow("range backwards") << 2 << QString() << QDate(2024, 5, 3) << QDate(2024, 5, 1)
                                     << QList<qint64>{} << 0.0 << 0.0;
}

void BookTest::logQueries()
{
    QFETCH(int, query);
    QFETCH(QString, keyword);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<qint64>, ids);
    QFETCH(double, totalIn);
    QFETCH(double, totalOut);

    TestTables files;
    files.createAll();
    const QString wire = QStringLiteral("电线");
    files.add(tables::明细, {QDateTime(QDate(2024, 4, 30), QTime(9, 30)), hardware, spanner, inch8,
                             QVariant(), 2.0, QStringLiteral("把"), QString()});
    addMovement(files, QDate(2024, 5, 3), hardware, spanner, inch8, 4, 0, QStringLiteral("把"),
                QStringLiteral("Abc"));
    addMovement(files, QDate(2024, 5, 2), QStringLiteral("电工"), wire, QStringLiteral("4平方"), 7,
                0, QStringLiteral("卷"), QStringLiteral("abc"));
    addMovement(files, QDate(2024, 5, 3), hardware, spanner, inch10, 0, 2.5, QStringLiteral("把"),
                QString());
    addMovement(files, QDate(2024, 5, 4), QStringLiteral("电工"), wire, QStringLiteral("2.5平方"),
                0, 1, QStringLiteral("卷"), QString());
    addMovement(files, QDate(2024, 5, 3), hardware, spanner, inch10, 0, 0, QStringLiteral("把"),
                QStringLiteral("空"));

    const std::optional<LogMatches> matches = query == 0 ? movementsOfDay(files.folders(), from)
                                              : query == 1
                                                  ? movementsWithKeyword(files.folders(), keyword)
                                                  : movementsBetween(files.folders(), from, to);
    QVERIFY(matches);
    QCOMPARE(matches->ids, ids);
    QCOMPARE(matches->totalIn, totalIn);
    QCOMPARE(matches->totalOut, totalOut);
    QCOMPARE(matches->recordCount, 6);

    // The rows of the matches read back as stored.
    const std::optional<std::vector<MovementRecord>> rows = readMovements(files.folders(), ids);
    QVERIFY(rows);
    QCOMPARE(qsizetype(rows->size()), ids.size());
    for (size_t i = 0; i < rows->size(); ++i) {
        QCOMPARE((*rows)[i].id, ids[qsizetype(i)]);
    }
}

namespace {

// The log as an older program made it: no id column of its own, so SQLite
// hands the highest deleted rowid to the next row.
void createLogWithoutOwnIds(TestTables &files)
{
    auto log = sql::Connection::create(files.path(tables::明细), tablePassword());
    QVERIFY(log && log->exec(QStringLiteral(
                       "CREATE TABLE 明细 (日期 DATETIME, 品类 TEXT, 名称 TEXT, 型号 TEXT, "
                       "入库 INTEGER, 出库 INTEGER, 单位 TEXT, 备注 TEXT)")));
}

QStringList remarksInLog(const TestTables &files)
{
    QStringList remarks;
    const std::optional<LogMatches> all = movementsWithKeyword(files.folders(), QString());
    const std::optional<std::vector<MovementRecord>> rows =
        readMovements(files.folders(), all->ids);
    for (const MovementRecord &movement : *rows) {
        remarks << movement.remark;
    }
    return remarks;
}

} // namespace

void BookTest::deletingTakesOnlyRowsAsShown_data()
{
    QTest::addColumn<bool>("ownIds");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<int>("notDeleted");
    QTest::addColumn<QStringList>("left");
    const QStringList noneOfShown{"第0笔", "第2笔", "第4笔", "第5笔", "第6笔"};
    // 第1笔 and 第3笔 are shown and deleted.
    QTest::newRow("as shown") << true << "" << 0 << noneOfShown;
    QTest::newRow("one changed since")
        << true << "change 第3笔" << 1
        << QStringList{"第0笔", "第2笔", "改过", "第4笔", "第5笔", "第6笔"};
    QTest::newRow("one gone since") << true << "delete 第3笔" << 1 << noneOfShown;
    // Another copy deletes the last row and books: the new row takes the
    // deleted row's id in a log without ids of its own, and must stay.
    QTest::newRow("id given again, old log")
        << false << "delete 第6笔, book" << 1
        << QStringList{"第0笔", "第2笔", "第4笔", "第5笔", "另一台"};
    QTest::newRow("id never given again, new log")
        << true << "delete 第6笔, book" << 1
        << QStringList{"第0笔", "第2笔", "第4笔", "第5笔", "另一台"};
}

void BookTest::deletingTakesOnlyRowsAsShown()
{
    QFETCH(bool, ownIds);
    QFETCH(QString, meanwhile);
    QFETCH(int, notDeleted);
    QFETCH(QStringList, left);
    if (!ownIds && onServer()) {
        QSKIP("a log of table files without ids of its own");
    }
    TestTables files;
    files.createAll();
    if (!ownIds) {
        files.removeFile(tables::明细);
        createLogWithoutOwnIds(files);
    }
    for (int i = 0; i <= 6; ++i) {
        addMovement(files, QDate(2024, 5, 1 + i), hardware, spanner, inch8, 1, 0,
                    QStringLiteral("把"), QStringLiteral("第%1笔").arg(i));
    }
    // The rows as the list showed them, in another order than the log's.
    std::vector<MovementRecord> shown = *readMovements(files.folders(), {2, 4, 7});
    if (!meanwhile.contains(QStringLiteral("第6笔"))) {
        shown.pop_back();
    }
    std::reverse(shown.begin(), shown.end());
    {
        Table log;
        QVERIFY(Book(files).open(log, tables::明细));
        if (meanwhile.startsWith(QStringLiteral("change"))) {
            QVariantList remarkOnly(7);
            remarkOnly << QStringLiteral("改过");
            QVERIFY(log.goToId(4) && log.modify(remarkOnly));
        } else if (meanwhile.startsWith(QStringLiteral("delete"))) {
            const qint64 gone = meanwhile.contains(QStringLiteral("第6笔")) ? 7 : 4;
            QVERIFY(log.removeMatching(tables::明细, RecordFilter::idsIn({gone})));
        }
        if (meanwhile.endsWith(QStringLiteral("book"))) {
            QVERIFY(log.append({storedDateTime(QDate(2024, 6, 1)), hardware, spanner, inch8, 100, 0,
                                QStringLiteral("把"), QStringLiteral("另一台")}));
            QCOMPARE(log.current().rowId() == 7, !ownIds);
        }
    }
    ChangeNotifier changes;
    QSignalSpy deleted(&changes, &ChangeNotifier::movementsDeleted);
    const DeletionResult result = deleteMovements(files.folders(), shown, changes);
    QCOMPARE(result.outcome, DeletionOutcome::Deleted);
    QCOMPARE(result.notDeleted, notDeleted);
    QCOMPARE(remarksInLog(files), left);
    QCOMPARE(deleted.count(), 1);
}

void BookTest::aLogThatCantBeWrittenLosesNothing()
{
    TestTables files;
    files.createAll();
    addMovement(files, QDate(2024, 5, 1), hardware, spanner, inch8, 1, 0, QStringLiteral("把"),
                QStringLiteral("第0笔"));
    const std::vector<MovementRecord> shown = *readMovements(files.folders(), {1});
    ChangeNotifier changes;
    // A log that refuses to give up records loses none of them.
    files.refuse(tables::明细, QStringLiteral("DELETE"));
    QCOMPARE(deleteMovements(files.folders(), shown, changes).outcome, StoreFault::WriteFailed);
    QCOMPARE(remarksInLog(files), QStringList{"第0笔"});
    {
        // A log another program holds is busy, not missing.
        const auto other = files.hold(tables::明细);
        QCOMPARE(deleteMovements(files.folders(), shown, changes).outcome, StoreFault::Busy);
    }
    files.removeFile(tables::明细);
    QCOMPARE(deleteMovements(files.folders(), shown, changes).outcome, StoreFault::Unavailable);
    QVERIFY(!movementsOfDay(files.folders(), QDate(2024, 5, 1)));
    QVERIFY(!readMovements(files.folders(), {1}));
}

void BookTest::catalogueReads()
{
    TestTables files;
    addSmallShop(files);
    QCOMPARE(*readCategories(files.folders()), (QStringList{hardware, QStringLiteral("电工")}));
    const QList<CatalogueItem> items = *readItems(files.folders());
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[1].category + items[1].item, hardware + QStringLiteral("钳子"));

    // The same 型号 text under two items belongs only to its own item.
    const std::vector<ModelRecord> models =
        *readModelsOf(files.folders(), hardware, QStringLiteral("钳子"));
    QCOMPARE(models.size(), size_t(1));
    QCOMPARE(models[0].model, inch8);
    QCOMPARE(models[0].stock, 5.0);
    QCOMPARE(models[0].remark, QStringLiteral("尖嘴"));
    QVERIFY(readModelsOf(files.folders(), QStringLiteral("电工"), spanner)->empty());
    QCOMPARE(readAllModels(files.folders())->size(), size_t(5));
    QCOMPARE(readAllModels(files.folders())->back().stock, 2.5);

    files.removeFile(tables::型号);
    QVERIFY(!readAllModels(files.folders()));
    files.removeFile(tables::品类);
    QVERIFY(!readCategories(files.folders()));
}

void BookTest::emptyTextsOddDatesAndFilesWithoutIndexes()
{
    if (onServer()) {
        QSKIP("tables other programs wrote as files");
    }
    TestTables files;
    files.createAll();
    // A log record with no texts at all, one before the year 100, one whose
    // date can't be read.
    files.add(tables::明细, {QDate(70, 5, 5), QVariant(), QVariant(), QVariant(), 1, QVariant(),
                             QVariant(), QVariant()});
    files.add(tables::明细, {QStringLiteral("昨天"), hardware, spanner, inch8, 2, QVariant(),
                             QVariant(), QVariant()});
    QCOMPARE(movementsWithKeyword(files.folders(), QString())->ids, (QList<qint64>{1, 2}));
    QCOMPARE(readMovements(files.folders(), {1})->front().category, QString());
    // Dates count within 0100-01-01 to 9999-12-31; one that can't be read matches no day.
    QCOMPARE(movementsOfDay(files.folders(), QDate(100, 1, 1))->ids, QList<qint64>{1});
    QCOMPARE(movementsBetween(files.folders(), QDate(99, 1, 1), QDate(100, 1, 1))->ids,
             QList<qint64>{1});
    QCOMPARE(movementsBetween(files.folders(), QDate(100, 1, 2), QDate(9999, 12, 31))->ids,
             QList<qint64>());

    // Rows read by identity, more than one statement takes at once.
    insertRecords(files.path(tables::明细), tables::明细, 1200, [](qint64 i) {
        return QVariantList{QDate(2024, 5, 3), hardware, spanner, inch8, i};
    });
    QList<qint64> ids;
    for (qint64 id = 1202; id >= 3; --id) {
        ids << id;
    }
    const std::optional<std::vector<MovementRecord>> many = readMovements(files.folders(), ids);
    QCOMPARE(many->size(), size_t(1200));
    QCOMPARE(many->front().id, 3);
    QCOMPARE(many->back().in, 1199.0);

    // A model table written by another program: no index, a category that
    // is NULL in one record and empty in the other.
    files.removeFile(tables::型号);
    {
        auto models = sql::Connection::create(files.path(tables::型号), tablePassword());
        QVERIFY(models);
        QVERIFY(models->exec(QStringLiteral("CREATE TABLE 型号 (品类 TEXT, 名称 TEXT, 型号 TEXT, "
                                            "单位 TEXT, 库存 REAL, 备注 TEXT)")));
        QVERIFY(
            models->exec(QStringLiteral("INSERT INTO 型号 VALUES (NULL, '扳手', '8寸', '把', 4, "
                                        "NULL), ('', '扳手', '10寸', NULL, 1, '')")));
    }
    QCOMPARE(readModelsOf(files.folders(), QString(), spanner)->size(), size_t(2));
    ChangeNotifier changes;
    Movement out = movement(inch8, MovementKind::Out, 3);
    out.category.clear();
    QCOMPARE(book(files.folders(), out, changes), BookingOutcome::Booked);
    QCOMPARE(readModelsOf(files.folders(), QString(), spanner)->front().stock, 1.0);
}

void BookTest::catalogueChanges()
{
    TestTables files;
    addSmallShop(files);
    ChangeNotifier changes;
    QSignalSpy catalogue(&changes, &ChangeNotifier::catalogueChanged);
    QSignalSpy models(&changes, &ChangeNotifier::modelsChanged);
    const QString pliers = QStringLiteral("钳子");

    QCOMPARE(addCategory(files.folders(), hardware, changes), CatalogueOutcome::Done);
    QCOMPARE(*readCategories(files.folders()),
             (QStringList{hardware, QStringLiteral("电工"), hardware}));
    QCOMPARE(addItem(files.folders(), hardware, pliers, changes), CatalogueOutcome::Done);
    QCOMPARE(readItems(files.folders())->size(), 4);
    QCOMPARE(catalogue.count(), 2);

    // A model text is unique under its item only.
    const ModelTexts big{QStringLiteral("10寸"), QStringLiteral("把"), QStringLiteral(" 新 ")};
    QCOMPARE(addModel(files.folders(), hardware, spanner, big, changes),
             CatalogueOutcome::AlreadyThere);
    QCOMPARE(addModel(files.folders(), hardware, pliers, big, changes), CatalogueOutcome::Done);
    const std::vector<ModelRecord> added = *readModelsOf(files.folders(), hardware, pliers);
    QCOMPARE(added.back().remark, QStringLiteral(" 新 "));
    QCOMPARE(added.back().stock, 0.0);

    // Modifying keeps the stock; a model that is gone is not found.
    QCOMPARE(modifyModel(files.folders(), hardware, spanner, inch8,
                         {QStringLiteral("8寸长"), QStringLiteral("支"), QStringLiteral("改")},
                         changes),
             CatalogueOutcome::Done);
    const ModelRecord changed = readModelsOf(files.folders(), hardware, spanner)->front();
    QCOMPARE(changed.model + changed.unit + changed.remark, QStringLiteral("8寸长支改"));
    QCOMPARE(changed.stock, 10.0);
    QCOMPARE(modifyModel(files.folders(), hardware, spanner, inch8, big, changes),
             CatalogueOutcome::NotFound);
    // Renaming onto a model the item has (another copy may have added it
    // after the window listed the models) writes nothing.
    QCOMPARE(modifyModel(files.folders(), hardware, spanner, QStringLiteral("8寸长"), big, changes),
             CatalogueOutcome::AlreadyThere);
    QCOMPARE(readModelsOf(files.folders(), hardware, spanner)->front().model,
             QStringLiteral("8寸长"));
    const auto yes = [] { return true; };
    const auto no = [] { return false; };
    QCOMPARE(deleteModel(files.folders(), hardware, pliers, inch10, no, changes),
             CatalogueOutcome::Cancelled);
    QCOMPARE(deleteModel(files.folders(), hardware, pliers, QStringLiteral("没有"), yes, changes),
             CatalogueOutcome::NotFound);
    QCOMPARE(deleteModel(files.folders(), hardware, pliers, inch10, yes, changes),
             CatalogueOutcome::Done);
    QCOMPARE(readModelsOf(files.folders(), hardware, pliers)->size(), size_t(1));
    QCOMPARE(models.count(), 5);
    QCOMPARE(movementCount(files), 0);
}

void BookTest::cascadesReachExactlyTheirRecords()
{
    TestTables files;
    addSmallShop(files);
    const QString electric = QStringLiteral("电工");
    const QString wire = QStringLiteral("电线");
    // 电线 under 五金 too, a second 电工/电线 record, and a second 电工 category.
    files.add(tables::名称, {hardware, wire});
    files.add(tables::名称, {electric, wire});
    files.add(tables::型号, {hardware, wire, inch8, QStringLiteral("卷"), 1.0});
    files.add(tables::品类, {electric});
    addMovement(files, QDate(2024, 5, 3), electric, wire, QStringLiteral("4平方"), 1, 0,
                QStringLiteral("卷"), QString());
    ChangeNotifier changes;

    // An item: its first record and all its models, not the same name elsewhere.
    QCOMPARE(deleteItem(files.folders(), electric, wire, changes), CatalogueOutcome::Done);
    QStringList items;
    const QList<CatalogueItem> itemsLeft = *readItems(files.folders());
    for (const CatalogueItem &left : itemsLeft) {
        items << left.category + left.item;
    }
    QCOMPARE(items, (QStringList{"五金扳手", "五金钳子", "五金电线", "电工电线"}));
    QVERIFY(readModelsOf(files.folders(), electric, wire)->empty());
    QCOMPARE(readModelsOf(files.folders(), hardware, wire)->size(), size_t(1));

    // A category: the record at its position, and every item and model of its text.
    QCOMPARE(deleteCategory(files.folders(), 4, electric, changes), CatalogueOutcome::NotFound);
    QCOMPARE(deleteCategory(files.folders(), 1, electric, changes), CatalogueOutcome::NotFound);
    QCOMPARE(readCategories(files.folders())->size(), 3);
    QCOMPARE(deleteCategory(files.folders(), 1, hardware, changes), CatalogueOutcome::Done);
    QCOMPARE(*readCategories(files.folders()), (QStringList{electric, electric}));
    QCOMPARE(readItems(files.folders())->size(), 1);
    QVERIFY(readAllModels(files.folders())->empty());
    QCOMPARE(movementCount(files), 1);

    // One table that can't be opened: nothing goes anywhere.
    files.removeFile(tables::型号);
    QCOMPARE(deleteItem(files.folders(), electric, wire, changes), StoreFault::Unavailable);
    QCOMPARE(deleteCategory(files.folders(), 1, electric, changes), StoreFault::Unavailable);
    QCOMPARE(readItems(files.folders())->size(), 1);
    QCOMPARE(readCategories(files.folders())->size(), 2);
}

void BookTest::numberAndDateTexts()
{
    QCOMPARE(numberText(5), QStringLiteral("5"));
    QCOMPARE(numberText(2.5), QStringLiteral("2.5"));
    QCOMPARE(numberText(100000), QStringLiteral("100000"));
    QCOMPARE(numberText(12000000), QStringLiteral("12000000"));
    QCOMPARE(numberText(0.00001), QStringLiteral("0.00001"));
    QCOMPARE(numberText(-3), QStringLiteral("-3"));
    QCOMPARE(numberText(-0.0), QStringLiteral("0"));
    // Totals leave out the noise of binary fractions.
    QCOMPARE(totalText(0.1 + 0.2), QStringLiteral("0.3"));
    QCOMPARE(totalText(2.5 + 2.5), QStringLiteral("5"));
    QCOMPARE(totalText(1e15 + 0.25), QStringLiteral("1000000000000000.25"));
    QCOMPARE(totalText(-0.1 + 0.1), QStringLiteral("0"));
    const QDate day(2024, 5, 3);
    QCOMPARE(dateTimeText(storedDateTime(day)), QStringLiteral("2024年5月3日"));
    QCOMPARE(dateTimeText(storedDateTime(day, QTime(9, 0))), QStringLiteral("2024年5月3日9时"));
    QCOMPARE(dateTimeText(storedDateTime(day, QTime(0, 5))), QStringLiteral("2024年5月3日0时5分"));
    QCOMPARE(dateTimeText(storedDateTime(day, QTime(9, 0, 7))),
             QStringLiteral("2024年5月3日9时0分7秒"));
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 7 && qstrcmp(argv[1], "--book") == 0) {
        BookFolders folders =
            bookFoldersAt(QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5]));
        folders.server = QString::fromLocal8Bit(argv[6]);
        return runBookingChild(folders, QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    }
    BookTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_book.moc"
