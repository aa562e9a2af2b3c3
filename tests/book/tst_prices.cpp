#include "book/ChangeNotifier.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/files/OwnTables.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stock/MovementDeletion.h"
#include "book/stocktake/Stocktake.h"
#include "helpers/OutcomeText.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableFiles.h"

#include <QDir>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

Q_DECLARE_METATYPE(kucun::LogIdsOutcome)

// What the book writes of money: the moving average cost, the price of each
// movement, and the rows of prices that follow the catalogue and the log.
class PricesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init() { useRowStore(); }
    void averageCost_data();
    void averageCost();
    void pricesFollowTheCatalogueAndTheLog_data();
    void pricesFollowTheCatalogueAndTheLog();
    void aBookingIsWholeWhateverThePriceTables_data();
    void aBookingIsWholeWhateverThePriceTables();
    void anOldLogGetsIds_data();
    void anOldLogGetsIds();
};

namespace {

const QString hardware = QStringLiteral("五金");
const QString spanner = QStringLiteral("扳手");
const QDate day(2024, 5, 3);

Movement movement(const QString &model, bool in, int quantity, std::optional<double> price = {})
{
    return {hardware, spanner,          model, in ? MovementKind::In : MovementKind::Out,
            quantity, double(quantity), day,   QString(),
            price};
}

// The rows of a table of our own: these fields, "/" between them, "-" for none.
QString rowsOf(const TestTables &files, const QString &table, const QStringList &shown)
{
    Table file;
    QStringList rows;
    const bool read = Book(files).open(file, table) &&
                      file.forEachMatching(RecordFilter::all(), [&](const Record &row) {
                          QStringList cells;
                          for (const QString &field : shown) {
                              const bool text = field == fields::名称 || field == fields::型号;
                              const auto number = text ? std::nullopt : row.numberIfAny(field);
                              cells << (text     ? row.text(field)
                                        : number ? QString::number(*number, 'g', 17)
                                                 : "-");
                          }
                          rows << cells.join('/');
                      });
    return read ? rows.join(' ') : "unreadable";
}

QString priceRows(const TestTables &files)
{
    return rowsOf(files, tables::型号资料, {"名称", "型号", "进价", "售价", "成本价"});
}

QString movementMoney(const TestTables &files)
{
    return rowsOf(files, tables::明细金额, {"明细", "单价", "成本价"});
}

// Books "in 10 @2.5", "in 5", "out 3" or "count 7 21.00" (a stocktake of
// the model to that count, with the amount its summary gives), or sets
// "stock -4", on 扳手/新 of the small shop, which starts at 0.
void bookSteps(const TestTables &files, const QString &steps)
{
    ChangeNotifier changes;
    const QString model = QStringLiteral("新");
    for (const QString &step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList words = step.simplified().split(QLatin1Char(' '));
        const int quantity = words[1].toInt();
        if (words[0] == "stock") { // set by another tool, below 0 even
            Table models;
            QVERIFY(Book(files).open(models, tables::型号));
            QVERIFY(models.findTexts({{fields::型号, model}}));
            QVERIFY(models.modify({QVariant(), QVariant(), QVariant(), QVariant(), quantity}));
            continue;
        }
        if (words[0] == "count") {
            ReadResult<CountSheet> sheet = loadCountSheet(files.folders(), hardware, day);
            for (CountLine &line : sheet->lines) {
                line.enter(line.model.model == model ? std::optional<double>(quantity)
                                                     : std::nullopt);
            }
            if (words.size() > 2) { // the amount the summary gives: 盘盈 − 盘亏
                const CountSummary summary = summarize(*sheet);
                QCOMPARE(moneyText(summary.surplusAmount - summary.shortageAmount), words[2]);
            }
            QCOMPARE(bookCount(files.folders(), *sheet, changes), StocktakeOutcome::Booked);
            continue;
        }
        const std::optional<double> price =
            words.size() > 2 ? std::optional<double>(words[2].mid(1).toDouble()) : std::nullopt;
        QCOMPARE(book(files.folders(), movement(model, words[0] == "in", quantity, price), changes),
                 BookingOutcome::Booked);
    }
}

} // namespace

void PricesTest::averageCost_data()
{
    // The steps, then the 明细金额 rows: the movement's id, its price and the cost after it.
    QTest::addColumn<QString>("steps");
    QTest::newRow("first price") << "in 10 @2.5 = 1/2.5/2.5";
    QTest::newRow("average") << "in 10 @2; in 30 @3 = 1/2/2 2/3/2.75";
    QTest::newRow("in, no price") << "in 10 @2; in 10 = 1/2/2 2/-/2";
    QTest::newRow("out") << "in 10 @2; out 4; in 4 @5 = 1/2/2 2/-/2 3/5/3.2000000000000002";
    QTest::newRow("back to 0") << "in 10 @2; out 10; in 5 @7 = 1/2/2 2/-/2 3/7/7";
    QTest::newRow("below 0") << "in 10 @2; stock -4; in 10 @3 = 1/2/2 2/3/3";
    QTest::newRow("no cost yet, then a price") << "in 5; out 1; in 5 @4 = 1/-/- 2/-/- 3/4/4";
    QTest::newRow("stocktake") << "in 10 @3; count 15 15.00; count 4 -33.00 = 1/3/3 2/-/3 3/-/3";
    QTest::newRow("fractions of a 分") << "in 3 @0.335; in 1 @0.01 = 1/0.33500000000000002/"
                                          "0.33500000000000002 2/0.01/0.25375000000000003";
}

void PricesTest::averageCost()
{
    QFETCH(QString, steps);
    const QString money = steps.section(" = ", 1);
    TestTables files;
    addSmallShop(files);
    files.add(tables::型号, {hardware, spanner, "新", "把", 0.0});
    bookSteps(files, steps.section(" = ", 0, 0));
    QCOMPARE(movementMoney(files), money);
    // The model's 成本价 is the cost after its last movement.
    const QString cost = money.section('/', -1);
    QCOMPARE(priceRows(files), cost == "-" ? QString() : "扳手/新/-/-/" + cost);
}

void PricesTest::pricesFollowTheCatalogueAndTheLog_data()
{
    QTest::addColumn<QString>("change");

    // Before each change: 扳手/8寸 and 钳子/8寸 have 进价 1, 售价 2, and 8寸 a cost.
    QTest::newRow("prices saved") << "modify 8寸 8寸 5 - = 扳手/8寸/5/-/2 钳子/8寸/1/2/-";
    QTest::newRow("renamed") << "modify 8寸 8寸长 1 2 = 扳手/8寸长/1/2/2 钳子/8寸/1/2/-";
    QTest::newRow("stale row") << "stale 9寸; modify 8寸 9寸 1 2 = 扳手/9寸/1/2/2 钳子/8寸/1/2/-";
    QTest::newRow("twin renamed")
        << "twin; modify 8寸 8寸长 3 - = 扳手/8寸/1/2/2 钳子/8寸/1/2/- 扳手/8寸长/3/-/-";
    QTest::newRow("model deleted") << "delete model = 钳子/8寸/1/2/-";
    QTest::newRow("twin deleted") << "twin; delete model = 扳手/8寸/1/2/2 钳子/8寸/1/2/-";
    QTest::newRow("item deleted") << "delete item = 钳子/8寸/1/2/-";
    QTest::newRow("category deleted") << "delete category = ";
    QTest::newRow("added")
        << "stale 9寸; add 9寸 4 - = 扳手/8寸/1/2/2 钳子/8寸/1/2/- 扳手/9寸/4/-/-";
    QTest::newRow("movement deleted") << "delete movement = 扳手/8寸/1/2/2 钳子/8寸/1/2/-";
}

void PricesTest::pricesFollowTheCatalogueAndTheLog()
{
    QFETCH(QString, change);
    TestTables files;
    addSmallShop(files);
    ChangeNotifier changes;
    // "型号 进价 售价" from the word at `first` on.
    const auto typed = [](const QStringList &words, int first) {
        const auto price = [](const QString &text) {
            return text == "-" ? std::nullopt : std::optional<double>(text.toDouble());
        };
        return ModelTexts{words[first], "把", QString(), price(words[first + 1]),
                          price(words[first + 2])};
    };
    const auto run = [&](const QString &step, const QString &item) -> Outcome<CatalogueOutcome> {
        const QStringList words = step.simplified().split(' ');
        const BookFolders shop = files.folders();
        if (words[0] == "stale") { // a row no model bears
            files.add(tables::型号资料, {hardware, item, words[1], QVariant(), 9.0, 9.0, 9.0});
        } else if (words[0] == "twin") { // a second model of the texts of 8寸
            files.add(tables::型号, {hardware, item, "8寸", "把", 0.0});
        } else if (words[0] == "modify") {
            return modifyModel(shop, hardware, item, words[1], typed(words, 2), changes);
        } else if (words[0] == "add") {
            return addModel(shop, hardware, item, typed(words, 1), changes);
        } else if (words[1] == "model") {
            return deleteModel(
                shop, hardware, item, "8寸", [] { return true; }, changes);
        } else if (words[1] == "item") {
            return deleteItem(shop, hardware, item, changes);
        } else if (words[1] == "category") {
            return deleteCategory(shop, 1, hardware, changes);
        } else {
            const auto shown = readMovements(shop, movementsOfDay(shop, day)->ids);
            const bool deleted = deleteMovements(shop, *shown, changes).outcome.done();
            return deleted && movementMoney(files).isEmpty() ? CatalogueOutcome::Done
                                                             : CatalogueOutcome::NotFound;
        }
        return CatalogueOutcome::Done;
    };
    QCOMPARE(run("modify 8寸 8寸 1 2", spanner), CatalogueOutcome::Done);
    QCOMPARE(run("modify 8寸 8寸 1 2", "钳子"), CatalogueOutcome::Done);
    QCOMPARE(book(files.folders(), movement("8寸", true, 10, 2.0), changes),
             BookingOutcome::Booked);
    for (const QString &step : change.section(" = ", 0, 0).split(';')) {
        QCOMPARE(run(step, spanner), CatalogueOutcome::Done);
    }
    QCOMPARE(priceRows(files), change.section(" = ", 1));
}

void PricesTest::aBookingIsWholeWhateverThePriceTables_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("state");
    using Booking = Outcome<BookingOutcome>;
    QTest::addColumn<Booking>("outcome");
    QTest::addColumn<double>("stockAfter");

    const Booking booked = BookingOutcome::Booked;
    const Booking busy = StoreFault::Busy;
    const Booking failed = StoreFault::WriteFailed;
    // Held by another program: nothing is written at all.
    QTest::newRow("明细金额 busy") << tables::明细金额 << "busy" << busy << 10.0;
    QTest::newRow("型号资料 busy") << tables::型号资料 << "busy" << busy << 10.0;
    QTest::newRow("明细金额 refuses") << tables::明细金额 << "refusing" << failed << 10.0;
    // Damaged (or missing): the booking goes on as without prices.
    QTest::newRow("型号资料 damaged") << tables::型号资料 << "damaged" << booked << 13.0;
}

void PricesTest::aBookingIsWholeWhateverThePriceTables()
{
    QFETCH(QString, table);
    QFETCH(QString, state);
    QFETCH(Outcome<BookingOutcome>, outcome);
    QFETCH(double, stockAfter);
    if (state == "damaged" && onServer()) {
        QSKIP("a damaged file");
    }
    TestTables files;
    addSmallShop(files);
    std::shared_ptr<void> other;
    if (state == "busy") {
        other = files.hold(table);
    } else if (state == "refusing") {
        files.refuse(table, "INSERT");
    } else {
        QFile file(files.path(table));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')));
    }
    ChangeNotifier changes;
    QCOMPARE(book(files.folders(), movement("8寸", true, 3, 2.0), changes), outcome);
    Table models;
    QVERIFY(Book(files).open(models, tables::型号));
    QCOMPARE(models.number(fields::库存), stockAfter);
    QVERIFY(Book(files).attach(models, tables::明细));
    QCOMPARE(models
                 .totalsByTexts(RecordFilter::all(), {fields::型号}, fields::入库, fields::出库,
                                tables::明细)
                 ->size(),
             outcome.done() ? 1u : 0u);
}

void PricesTest::anOldLogGetsIds_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<LogIdsOutcome>("outcome");

    const QString fields = QStringLiteral(
        "\"日期\" DATETIME, \"品类\" TEXT, \"名称\" TEXT, \"型号\" TEXT, \"入库\" INTEGER, "
        "\"出库\" INTEGER, \"单位\" TEXT, \"备注\" TEXT");
    QTest::newRow("without ids") << fields << LogIdsOutcome::Rebuilt;
    QTest::newRow("with its ids") << "\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, " + fields
                                  << LogIdsOutcome::HadIds;
    QTest::newRow("a column named id") << fields + ", \"ID\" TEXT" << LogIdsOutcome::Failed;
}

void PricesTest::anOldLogGetsIds()
{
    QFETCH(QString, columns);
    QFETCH(LogIdsOutcome, outcome);
    if (onServer()) {
        QSKIP("a log of table files");
    }
    const bool hasIds = outcome != LogIdsOutcome::Failed;
    TestTables files;
    addSmallShop(files);
    files.removeFile(tables::明细);
    auto old = sql::Connection::create(files.path(tables::明细), tablePassword());
    QVERIFY(old->exec("CREATE TABLE \"明细\" (" + columns + ")") &&
            old->exec("CREATE INDEX \"旧索引\" ON \"明细\" (\"备注\")"));
    for (int i = 1; i <= 4; ++i) {
        addMovement(files, day, hardware, spanner, "8寸", i, 0, "把", QString::number(i));
    }
    QVERIFY(old->exec("DELETE FROM \"明细\" WHERE rowid IN (2, 4)"));
    old.reset();
    QCOMPARE(giveLogIds(files.folders(), QDateTime(day, QTime(9, 0))), outcome);
    QCOMPARE(logHasOwnIds(files.path(tables::明细)), std::optional<bool>(hasIds));
    // Each row keeps its id, its values and its order; the old index stays.
    Table log;
    QVERIFY(log.open(files.path(tables::明细), tablePassword()));
    QStringList rows;
    QVERIFY(log.forEachMatching(RecordFilter::all(), [&rows](const Record &row) {
        rows << QStringLiteral("%1:%2").arg(row.rowId()).arg(row.text(fields::备注));
    }));
    QCOMPARE(rows.join(QLatin1Char(' ')), "1:1 3:3");
    // An id once handed out is not handed out again.
    QVERIFY(log.append({day, hardware, spanner, "8寸", 1, QVariant(), "把", "5"}));
    const qint64 given = log.current().rowId();
    QVERIFY(log.removeMatching(tables::明细, RecordFilter::idsIn({given})));
    QVERIFY(log.append({day, hardware, spanner, "8寸", 1, QVariant(), "把", "6"}));
    QCOMPARE(log.current().rowId() > given, hasIds);
    log.close();
    QVERIFY(sql::Connection::openExisting(files.path(tables::明细), tablePassword())
                ->exec("DROP INDEX \"旧索引\""));
    // The book was backed up before the log was rebuilt.
    QCOMPARE(QDir(files.folders().backup).exists(), outcome != LogIdsOutcome::HadIds);
}

QTEST_GUILESS_MAIN(PricesTest)
#include "tst_prices.moc"
