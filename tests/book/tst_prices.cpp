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
#include "store/TableSchema.h"

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

// "型号:进价/售价/成本价" of every row of 型号资料, "-" for none.
QString priceRows(const TestTables &files)
{
    QStringList rows;
    Table table;
    if (!table.open(files.path(tables::型号资料), tablePassword())) {
        return QStringLiteral("unreadable");
    }
    const auto text = [](std::optional<double> value) {
        return value ? QString::number(*value) : QStringLiteral("-");
    };
    (void)table.forEachMatching(RecordFilter::all(), [&](const Record &row) {
        rows << QStringLiteral("%1/%2:%3/%4/%5")
                    .arg(row.text(fields::名称), row.text(fields::型号),
                         text(row.numberIfAny(fields::进价)), text(row.numberIfAny(fields::售价)),
                         text(row.numberIfAny(fields::成本价)));
    });
    return rows.join(QLatin1Char(' '));
}

// "明细:单价/成本价" of every row of 明细金额.
QString movementMoney(const TestTables &files)
{
    QStringList rows;
    Table table;
    if (!table.open(files.path(tables::明细金额), tablePassword())) {
        return QStringLiteral("unreadable");
    }
    const auto text = [](std::optional<double> value) {
        return value ? QString::number(*value, 'g', 17) : QStringLiteral("-");
    };
    (void)table.forEachMatching(RecordFilter::all(), [&](const Record &row) {
        rows << QStringLiteral("%1:%2/%3")
                    .arg(row.number(tables::明细))
                    .arg(text(row.numberIfAny(fields::单价)),
                         text(row.numberIfAny(fields::成本价)));
    });
    return rows.join(QLatin1Char(' '));
}

// Books "in 10 @2.5", "in 5", "out 3" or "count 7" (a stocktake of the
// model to that count), or sets "stock -4", on 扳手/新 of the small shop,
// which starts at 0.
void bookSteps(const TestTables &files, const QString &steps)
{
    ChangeNotifier changes;
    const QString model = QStringLiteral("新");
    for (const QString &step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList words = step.simplified().split(QLatin1Char(' '));
        const int quantity = words[1].toInt();
        if (words[0] == QLatin1String("stock")) { // set by another tool, below 0 even
            Table models;
            QVERIFY(models.open(files.path(tables::型号), tablePassword()));
            QVERIFY(models.findTexts({{fields::型号, model}}));
            QVERIFY(models.modify({QVariant(), QVariant(), QVariant(), QVariant(), quantity}));
            continue;
        }
        if (words[0] == QLatin1String("count")) {
            ReadResult<CountSheet> sheet = loadCountSheet(files.folders(), hardware, day);
            QVERIFY(sheet);
            for (CountLine &line : sheet->lines) {
                line.enter(line.model.model == model ? std::optional<double>(quantity)
                                                     : std::nullopt);
            }
            QCOMPARE(bookCount(files.folders(), *sheet, changes), StocktakeOutcome::Booked);
            continue;
        }
        const std::optional<double> price =
            words.size() > 2 ? std::optional<double>(words[2].mid(1).toDouble()) : std::nullopt;
        QCOMPARE(book(files.folders(),
                      movement(model, words[0] == QLatin1String("in"), quantity, price), changes),
                 BookingOutcome::Booked);
    }
}

void addNewModel(TestTables &files)
{
    addSmallShop(files);
    files.add(tables::型号, {hardware, spanner, QStringLiteral("新"), QStringLiteral("把"), 0.0});
}

} // namespace

void PricesTest::averageCost_data()
{
    QTest::addColumn<QString>("steps");
    // The 明细金额 rows: the movement's id, its price and the cost after it.
    QTest::addColumn<QString>("money");

    QTest::newRow("a first price sets the cost") << "in 10 @2.5"
                                                 << "1:2.5/2.5";
    QTest::newRow("a second price averages") << "in 10 @2; in 30 @3"
                                             << "1:2/2 2:3/2.75";
    QTest::newRow("no price enters at the cost") << "in 10 @2; in 10"
                                                 << "1:2/2 2:-/2";
    QTest::newRow("an out leaves the cost") << "in 10 @2; out 4; in 4 @5"
                                            << "1:2/2 2:-/2 3:5/3.2000000000000002";
    QTest::newRow("back to 0, the next price is the cost") << "in 10 @2; out 10; in 5 @7"
                                                           << "1:2/2 2:-/2 3:7/7";
    QTest::newRow("below 0, the next price is the cost") << "in 10 @2; stock -4; in 10 @3"
                                                         << "1:2/2 2:3/3";
    QTest::newRow("no price, no cost yet") << "in 5; out 1"
                                           << "1:-/- 2:-/-";
    QTest::newRow("the first price after unpriced stock") << "in 5; in 5 @4"
                                                          << "1:-/- 2:4/4";
    QTest::newRow("stocktake: surplus and shortage at the cost") << "in 10 @3; count 15; count 4"
                                                                 << "1:3/3 2:-/3 3:-/3";
    QTest::newRow("fractions of a 分 are kept") << "in 3 @0.335; in 1 @0.01"
                                                << "1:0.33500000000000002/0.33500000000000002 "
                                                   "2:0.01/0.25375000000000003";
}

void PricesTest::averageCost()
{
    QFETCH(QString, steps);
    QFETCH(QString, money);
    TestTables files;
    addNewModel(files);
    bookSteps(files, steps);
    QCOMPARE(movementMoney(files), money);
    // The model's 成本价 is the cost after its last movement.
    const QString lastCost = money.section(QLatin1Char('/'), -1);
    const double cost = lastCost.toDouble();
    QCOMPARE(priceRows(files), lastCost == QLatin1String("-")
                                   ? QString()
                                   : QStringLiteral("扳手/新:-/-/%1").arg(cost));
}

void PricesTest::pricesFollowTheCatalogueAndTheLog_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("rows");

    // Before each change: 扳手/8寸 and 钳子/8寸 have 进价 1, 售价 2, and 8寸 a cost.
    QTest::newRow("prices saved, cost kept") << "modify 8寸 8寸 5 -"
                                             << "扳手/8寸:5/-/2 钳子/8寸:1/2/-";
    QTest::newRow("renamed") << "modify 8寸 8寸长 1 2"
                             << "扳手/8寸长:1/2/2 钳子/8寸:1/2/-";
    QTest::newRow("a stale row of the new text goes") << "stale 9寸; modify 8寸 9寸 1 2"
                                                      << "扳手/9寸:1/2/2 钳子/8寸:1/2/-";
    QTest::newRow("a twin keeps the old row") << "twin; modify 8寸 8寸长 3 -"
                                              << "扳手/8寸:1/2/2 钳子/8寸:1/2/- 扳手/8寸长:3/-/-";
    QTest::newRow("model deleted") << "delete model"
                                   << "钳子/8寸:1/2/-";
    QTest::newRow("a twin keeps the row of a deleted model") << "twin; delete model"
                                                             << "扳手/8寸:1/2/2 钳子/8寸:1/2/-";
    QTest::newRow("item deleted") << "delete item"
                                  << "钳子/8寸:1/2/-";
    QTest::newRow("category deleted") << "delete category"
                                      << "";
    QTest::newRow("added over a stale row") << "stale 9寸; add 9寸 4 -"
                                            << "扳手/8寸:1/2/2 "
                                               "钳子/8寸:1/2/- 扳手/9寸:4/-/-";
    QTest::newRow("a deleted movement takes its price row") << "delete movement"
                                                            << "扳手/8寸:1/2/2 钳子/8寸:1/2/-";
}

void PricesTest::pricesFollowTheCatalogueAndTheLog()
{
    QFETCH(QString, change);
    QFETCH(QString, rows);
    TestTables files;
    addSmallShop(files);
    ChangeNotifier changes;
    const auto prices = [](const QString &purchase, const QString &sale) {
        const auto price = [](const QString &text) {
            return text == QLatin1String("-") ? std::nullopt
                                              : std::optional<double>(text.toDouble());
        };
        return ModelTexts{QString(), QStringLiteral("把"), QString(), price(purchase), price(sale)};
    };
    const auto modify = [&](const QString &item, const QString &from, const QString &to,
                            const QString &purchase, const QString &sale) {
        ModelTexts texts = prices(purchase, sale);
        texts.model = to;
        return modifyModel(files.folders(), hardware, item, from, texts, changes);
    };
    QCOMPARE(modify(spanner, "8寸", "8寸", "1", "2"), CatalogueOutcome::Done);
    QCOMPARE(modify(QStringLiteral("钳子"), "8寸", "8寸", "1", "2"), CatalogueOutcome::Done);
    QCOMPARE(book(files.folders(), movement("8寸", true, 10, 2.0), changes),
             BookingOutcome::Booked);
    QCOMPARE(movementMoney(files), "1:2/2");

    for (const QString &step : change.split(QLatin1Char(';'))) {
        const QStringList words = step.simplified().split(QLatin1Char(' '));
        const QString &what = words[0];
        if (what == QLatin1String("stale")) {
            Table table;
            QVERIFY(table.open(files.path(tables::型号资料), tablePassword()));
            QVERIFY(table.append({hardware, spanner, words[1], QVariant(), 9.0, 9.0, 9.0}));
        } else if (what == QLatin1String("twin")) {
            files.add(tables::型号, {hardware, spanner, "8寸", "把", 0.0});
        } else if (what == QLatin1String("modify")) {
            QCOMPARE(modify(spanner, words[1], words[2], words[3], words[4]),
                     CatalogueOutcome::Done);
        } else if (what == QLatin1String("add")) {
            ModelTexts texts = prices(words[2], words[3]);
            texts.model = words[1];
            QCOMPARE(addModel(files.folders(), hardware, spanner, texts, changes),
                     CatalogueOutcome::Done);
        } else if (step.contains(QLatin1String("model"))) {
            QCOMPARE(deleteModel(
                         files.folders(), hardware, spanner, "8寸", [] { return true; }, changes),
                     CatalogueOutcome::Done);
        } else if (step.contains(QLatin1String("item"))) {
            QCOMPARE(deleteItem(files.folders(), hardware, spanner, changes),
                     CatalogueOutcome::Done);
        } else if (step.contains(QLatin1String("category"))) {
            QCOMPARE(deleteCategory(files.folders(), 1, hardware, changes), CatalogueOutcome::Done);
        } else {
            const ReadResult<LogMatches> ofDay = movementsOfDay(files.folders(), day);
            QVERIFY(ofDay);
            const auto shown = readMovements(files.folders(), ofDay->ids);
            QVERIFY(shown);
            QCOMPARE(deleteMovements(files.folders(), *shown, changes).outcome,
                     DeletionOutcome::Deleted);
            QCOMPARE(movementMoney(files), QString());
        }
    }
    QCOMPARE(priceRows(files), rows);
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
    // Held by another program: nothing is written at all.
    QTest::newRow("明细金额 busy") << tables::明细金额 << "busy" << busy << 10.0;
    QTest::newRow("型号资料 busy") << tables::型号资料 << "busy" << busy << 10.0;
    QTest::newRow("明细金额 refuses the row")
        << tables::明细金额 << "refusing" << Booking(StoreFault::WriteFailed) << 10.0;
    // Missing or damaged: the booking goes on as without prices.
    QTest::newRow("明细金额 missing") << tables::明细金额 << "missing" << booked << 13.0;
    QTest::newRow("型号资料 damaged") << tables::型号资料 << "damaged" << booked << 13.0;
}

void PricesTest::aBookingIsWholeWhateverThePriceTables()
{
    QFETCH(QString, table);
    QFETCH(QString, state);
    QFETCH(Outcome<BookingOutcome>, outcome);
    QFETCH(double, stockAfter);
    TestTables files;
    addSmallShop(files);
    std::unique_ptr<sql::Connection> other;
    if (state == QLatin1String("busy")) {
        other = sql::Connection::openExisting(files.path(table), tablePassword());
        QVERIFY(other && other->exec(QStringLiteral("BEGIN IMMEDIATE")));
    } else if (state == QLatin1String("refusing")) {
        QVERIFY(sql::Connection::openExisting(files.path(table), tablePassword())
                    ->exec(QStringLiteral("CREATE TRIGGER \"拒绝\" BEFORE INSERT ON \"明细金额\" "
                                          "BEGIN SELECT RAISE(ABORT, '拒绝'); END")));
    } else {
        files.removeFile(table);
        if (state == QLatin1String("damaged")) {
            QFile damaged(files.path(table));
            QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(4096, 'x')));
        }
    }
    ChangeNotifier changes;
    QCOMPARE(book(files.folders(), movement("8寸", true, 3, 2.0), changes), outcome);
    Table models;
    QVERIFY(models.open(files.path(tables::型号), tablePassword()));
    QCOMPARE(models.number(fields::库存), stockAfter);
    Table log;
    QVERIFY(log.open(files.path(tables::明细), tablePassword()));
    QCOMPARE(log.recordCount(), outcome.done() ? 1 : 0);
    other.reset();
    const bool moneyWritten = movementMoney(files) == QLatin1String("1:2/2");
    QCOMPARE(moneyWritten, false);
}

void PricesTest::anOldLogGetsIds_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<LogIdsOutcome>("outcome");
    QTest::addColumn<bool>("hasIds");

    const QString fields = QStringLiteral(
        "\"日期\" DATETIME, \"品类\" TEXT, \"名称\" TEXT, \"型号\" TEXT, \"入库\" INTEGER, "
        "\"出库\" INTEGER, \"单位\" TEXT, \"备注\" TEXT");
    QTest::newRow("without ids") << fields << LogIdsOutcome::Rebuilt << true;
    QTest::newRow("with its ids") << "\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, " + fields
                                  << LogIdsOutcome::HadIds << true;
    QTest::newRow("a column named id")
        << fields + ", \"ID\" TEXT" << LogIdsOutcome::Failed << false;
}

void PricesTest::anOldLogGetsIds()
{
    QFETCH(QString, columns);
    QFETCH(LogIdsOutcome, outcome);
    QFETCH(bool, hasIds);
    TestTables files;
    addSmallShop(files);
    files.removeFile(tables::明细);
    {
        auto log = sql::Connection::create(files.path(tables::明细), tablePassword());
        QVERIFY(log);
        QVERIFY(log->exec(QStringLiteral("CREATE TABLE \"明细\" (%1)").arg(columns)));
        QVERIFY(log->exec(QStringLiteral("CREATE INDEX \"旧索引\" ON \"明细\" (\"备注\")")));
    }
    for (int i = 1; i <= 4; ++i) {
        addMovement(files, day, hardware, spanner, "8寸", i, 0, "把", QString::number(i));
    }
    {
        auto log = sql::Connection::openExisting(files.path(tables::明细), tablePassword());
        QVERIFY(log->exec(QStringLiteral("DELETE FROM \"明细\" WHERE rowid IN (2, 4)")));
    }
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
    auto check = sql::Connection::openExisting(files.path(tables::明细), tablePassword());
    sql::Statement indexed(check->handle(),
                           QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                          "'index' AND name = '旧索引' AND tbl_name = '明细'"));
    QVERIFY(indexed.step() && indexed.int64At(0) == 1);
    // The book was backed up before the log was rebuilt.
    const bool backedUp =
        QDir(files.folders().backup).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() == 1;
    QCOMPARE(backedUp, outcome == LogIdsOutcome::Rebuilt || outcome == LogIdsOutcome::Failed);
}

QTEST_GUILESS_MAIN(PricesTest)
#include "tst_prices.moc"
