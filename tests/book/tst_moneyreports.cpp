#include "book/history/ModelLedger.h"
#include "book/money/GrossProfit.h"
#include "book/money/LowStock.h"
#include "book/money/StockValue.h"
#include "book/money/ValueOnDay.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QTest>

using namespace kucun;
using namespace kucun::test;

class MoneyReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init();
    void cleanup() { m_files.reset(); }
    void grossProfit_data();
    void grossProfit();
    void valueOnDay_data();
    void valueOnDay();
    void stockValue_data();
    void stockValue();
    void reorder_data();
    void reorder();
    void ledgerMoney_data();
    void ledgerMoney();
    void unreadableAmounts();

private:
    std::unique_ptr<TestTables> m_files;
};

namespace {

const ModelKey spanner{QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸")};
const ModelKey pliers{QStringLiteral("五金"), QStringLiteral("钳子"), QStringLiteral("尖嘴")};
const ModelKey wire{QStringLiteral("电工"), QStringLiteral("电线"), QStringLiteral("2.5平方")};

QString nameOf(const ModelKey &key)
{
    return key.category + QLatin1Char('/') + key.item + QLatin1Char('/') + key.model;
}

QVariant orNull(double value)
{
    return value < 0 ? QVariant() : QVariant(value);
}

} // namespace

// Models: 8寸 (stock 20, 成本价 2.225), 尖嘴 (4, no cost), 2.5平方 (2, 0.335).
// The log lost its rows before 2024-12-20 (8寸 had 1 then). Movements 1, 5
// and 10 have no 明细金额 record; 4 has one without a price; 9 was booked
// after the date it carries; a record prices a movement no longer there.
void MoneyReportsTest::init()
{
    useRowStore();
    m_files = std::make_unique<TestTables>();
    TestTables &files = *m_files;
    files.createAll();
    const auto model = [&files](const ModelKey &key, double stock, double cost) {
        files.add(tables::型号, {key.category, key.item, key.model, QStringLiteral("把"), stock});
        files.add(tables::型号资料,
                  {key.category, key.item, key.model, {}, {}, {}, orNull(cost), {}, {}});
    };
    model(spanner, 20, 2.225);
    model(pliers, 4, -1);
    model(wire, 2, 0.335);
    // A movement with its record: a price (or -1 for none) and the cost after it.
    qint64 id = 0;
    const auto move = [&](const QDate &day, const ModelKey &key, double in, double out,
                          std::optional<std::pair<double, double>> record) {
        addMovement(files, day, key.category, key.item, key.model, in, out, QStringLiteral("把"),
                    {});
        ++id;
        if (record) {
            files.add(tables::明细金额, {id, orNull(record->first), record->second});
        }
    };
    using R = std::pair<double, double>;
    move({2024, 12, 20}, spanner, 10, 0, {});
    move({2025, 1, 5}, spanner, 10, 0, R{2.00, 2.0});
    move({2025, 1, 10}, spanner, 0, 4, R{3.50, 2.1});
    move({2025, 1, 10}, spanner, 0, 1, R{-1, 2.0});
    move({2025, 1, 20}, spanner, 0, 2, {});
    move({2025, 2, 1}, spanner, 4, 0, R{3.125, 2.225});
    move({2025, 1, 15}, wire, 3, 0, R{0.335, 0.335});
    move({2025, 1, 16}, wire, 0, 1, R{0.50, 0.335});
    move({2025, 1, 8}, spanner, 2, 0, R{5.00, 9.99});
    move({2025, 2, 10}, pliers, 0, 1, {});
    files.add(tables::明细金额, {999, 1.0, 77.0});
}

void MoneyReportsTest::grossProfit_data()
{
    QTest::addColumn<int>("month"); // of 2025; 0 for December 2024
    // Per model, by its texts: in, in amount, out, sales, cost of sales, profit, margin, unpriced
    // outs.
    QTest::addColumn<QStringList>("rows");
    // Sales, cost of sales, profit; movements without a record, outs without a cost.
    QTest::addColumn<QString>("totals");

    QTest::newRow("prices, an unpriced out, one from before prices, fractions of a 分")
        << 1
        << QStringList{nameOf(wire) + QStringLiteral(" 3 1.01 1 0.50 0.34 0.16 32.00 0"),
                       nameOf(spanner) + QStringLiteral(" 12 30.00 7 14.00 14.85 -0.85 -6.07 2")}
        << QStringLiteral("14.50 15.19 -0.69 1 0");
    QTest::newRow("an out without a record of a model without a cost")
        << 2
        << QStringList{nameOf(spanner) + QStringLiteral(" 4 12.50 0 0.00 0.00 0.00  0"),
                       nameOf(pliers) + QStringLiteral(" 0 0.00 1 0.00 0.00 0.00  1")}
        << QStringLiteral("0.00 0.00 0.00 1 1");
    QTest::newRow("before prices existed")
        << 0 << QStringList{nameOf(spanner) + QStringLiteral(" 10 0.00 0 0.00 0.00 0.00  0")}
        << QStringLiteral("0.00 0.00 0.00 1 0");
    QTest::newRow("a month without movements")
        << 3 << QStringList{} << QStringLiteral("0.00 0.00 0.00 0 0");
}

void MoneyReportsTest::grossProfit()
{
    QFETCH(int, month);
    QFETCH(QStringList, rows);
    QFETCH(QString, totals);
    const ReadResult<GrossProfit> read =
        readGrossProfit(m_files->folders(), month == 0 ? 2024 : 2025, month == 0 ? 12 : month);
    QVERIFY(read);
    QVERIFY(read->moneyReadable);
    QStringList shown;
    for (const ModelProfit &row : read->models) {
        shown << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(nameOf(row.key))
                     .arg(row.inQuantity)
                     .arg(moneyText(row.inAmount))
                     .arg(row.outQuantity)
                     .arg(moneyText(row.sales), moneyText(row.costOfSales), moneyText(row.profit()),
                          marginText(row.profit(), row.sales))
                     .arg(row.unpricedOuts);
    }
    QCOMPARE(shown, rows);
    QCOMPARE(
        QStringLiteral("%1 %2 %3 %4 %5")
            .arg(moneyText(read->sales), moneyText(read->costOfSales), moneyText(read->profit()))
            .arg(read->withoutRecord)
            .arg(read->withoutCost),
        totals);
}

void MoneyReportsTest::valueOnDay_data()
{
    QTest::addColumn<QDate>("day");
    // Per model (8寸, 尖嘴, 2.5平方): stock, cost at the day's end, value.
    QTest::addColumn<QStringList>("models");
    // The total; how many models are valued at today's cost, how many at 0.
    QTest::addColumn<QString>("total");

    QTest::newRow("the latest date wins over a later booking")
        << QDate(2025, 1, 9)
        << QStringList{QStringLiteral("23 9.99 229.77"), QStringLiteral("5 - 0.00"),
                       QStringLiteral("0 0.335 0.00")}
        << QStringLiteral("229.77 0 1");
    QTest::newRow("of one date, the one booked last")
        << QDate(2025, 1, 10)
        << QStringList{QStringLiteral("18 2 36.00"), QStringLiteral("5 - 0.00"),
                       QStringLiteral("0 0.335 0.00")}
        << QStringLiteral("36.00 0 1");
    QTest::newRow("a movement without a record leaves the cost")
        << QDate(2025, 1, 31)
        << QStringList{QStringLiteral("16 2 32.00"), QStringLiteral("5 - 0.00"),
                       QStringLiteral("2 0.335 0.67")}
        << QStringLiteral("32.67 0 1");
    QTest::newRow("before any priced movement: today's cost")
        << QDate(2024, 12, 31)
        << QStringList{QStringLiteral("11 2.225 24.48"), QStringLiteral("5 - 0.00"),
                       QStringLiteral("0 0.335 0.00")}
        << QStringLiteral("24.48 1 1");
    QTest::newRow("before the pruned log")
        << QDate(2020, 1, 1)
        << QStringList{QStringLiteral("1 2.225 2.23"), QStringLiteral("5 - 0.00"),
                       QStringLiteral("0 0.335 0.00")}
        << QStringLiteral("2.23 1 1");
}

void MoneyReportsTest::valueOnDay()
{
    QFETCH(QDate, day);
    QFETCH(QStringList, models);
    QFETCH(QString, total);
    const ReadResult<std::vector<ModelRecord>> all = readAllModels(m_files->folders());
    QVERIFY(all);
    const ReadResult<ValueOnDay> read = readValueOnDay(m_files->folders(), *all, day);
    QVERIFY(read);
    QVERIFY(read->moneyReadable);
    QStringList shown;
    for (size_t row = 0; row < all->size(); ++row) {
        shown << QStringLiteral("%1 %2 %3")
                     .arg(read->stock[row])
                     .arg(read->cost[row] ? QString::number(*read->cost[row]) : QStringLiteral("-"),
                          moneyText(read->value[row]));
    }
    QCOMPARE(shown, models);
    QCOMPARE(QStringLiteral("%1 %2 %3")
                 .arg(moneyText(read->total))
                 .arg(read->atTodaysCost)
                 .arg(read->withoutCost),
             total);
}

void MoneyReportsTest::stockValue_data()
{
    QTest::addColumn<QString>("category"); // empty for every model
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QString>("total"); // and the models with stock but no cost

    QTest::newRow("every model") << QString()
                                 << QStringList{QStringLiteral("8寸 20 44.50"),
                                                QStringLiteral("尖嘴 4 -"),
                                                QStringLiteral("2.5平方 2 0.67")}
                                 << QStringLiteral("45.17 1");
    QTest::newRow("one category") << QStringLiteral("电工")
                                  << QStringList{QStringLiteral("2.5平方 2 0.67")}
                                  << QStringLiteral("0.67 0");
}

void MoneyReportsTest::stockValue()
{
    QFETCH(QString, category);
    QFETCH(QStringList, models);
    QFETCH(QString, total);
    const ReadResult<StockValue> read = readStockValue(
        m_files->folders(), category.isEmpty() ? std::nullopt : std::optional<QString>(category));
    QVERIFY(read);
    QStringList shown;
    for (const ValuedModel &valued : read->models) {
        shown << QStringLiteral("%1 %2 %3")
                     .arg(valued.model.model)
                     .arg(valued.model.stock)
                     .arg(valued.cost ? moneyText(valued.value) : QStringLiteral("-"));
    }
    QCOMPARE(shown, models);
    QCOMPARE(QStringLiteral("%1 %2").arg(moneyText(read->total)).arg(read->withoutCost), total);
}

void MoneyReportsTest::reorder_data()
{
    // One model more, 锤子, beside those without a minimum; -1 for none.
    QTest::addColumn<double>("stock");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("reorderTo");
    QTest::addColumn<double>("purchase");
    QTest::addColumn<QString>("listed"); // suggested and amount, or empty; then the total
    QTest::addColumn<bool>("outOf2WentBelow");
    QTest::addColumn<bool>("inOf2RoseFromBelow");

    QTest::newRow("below, up to 补货至")
        << 3.0 << 5.0 << 10.0 << 2.5 << QStringLiteral("7 17.50 17.50") << true << false;
    QTest::newRow("below, without 补货至, up to the minimum")
        << 3.0 << 5.0 << -1.0 << 2.5 << QStringLiteral("2 5.00 5.00") << true << false;
    QTest::newRow("at the minimum")
        << 5.0 << 5.0 << 10.0 << 2.5 << QStringLiteral("0.00") << false << true;
    QTest::newRow("above") << 8.0 << 5.0 << 10.0 << 2.5 << QStringLiteral("0.00") << false << false;
    QTest::newRow("no minimum") << 0.0 << -1.0 << 10.0 << 2.5 << QStringLiteral("0.00") << false
                                << false;
    QTest::newRow("no 进价: no amount")
        << 1.0 << 4.0 << 6.0 << -1.0 << QStringLiteral("5 - 0.00") << false << false;
    QTest::newRow("the amount rounds to the 分")
        << 0.0 << 3.0 << -1.0 << 0.335 << QStringLiteral("3 1.01 1.01") << false << false;
    QTest::newRow("补货至 below the minimum orders up to the minimum")
        << 1.0 << 5.0 << 3.0 << 1.0 << QStringLiteral("4 4.00 4.00") << false << false;
}

void MoneyReportsTest::reorder()
{
    QFETCH(double, stock);
    QFETCH(double, minimum);
    QFETCH(double, reorderTo);
    QFETCH(double, purchase);
    QFETCH(QString, listed);
    QFETCH(bool, outOf2WentBelow);
    QFETCH(bool, inOf2RoseFromBelow);
    const ModelKey hammer{QStringLiteral("五金"), QStringLiteral("锤子"), QStringLiteral("羊角")};
    m_files->add(tables::型号,
                 {hammer.category, hammer.item, hammer.model, QStringLiteral("把"), stock});
    m_files->add(tables::型号资料, {hammer.category,
                                    hammer.item,
                                    hammer.model,
                                    {},
                                    orNull(purchase),
                                    {},
                                    {},
                                    orNull(minimum),
                                    orNull(reorderTo)});
    const ReadResult<ReorderList> read = readReorderList(m_files->folders());
    QVERIFY(read);
    QStringList shown;
    for (const ReorderLine &line : read->lines) {
        QCOMPARE(line.model.model, hammer.model);
        shown << QString::number(line.suggested)
              << (line.amount ? moneyText(*line.amount) : QStringLiteral("-"));
    }
    QCOMPARE(shown.join(QLatin1Char(' ')),
             listed.section(QLatin1Char(' '), 0, -2, QString::SectionSkipEmpty));
    QCOMPARE(moneyText(read->total), listed.section(QLatin1Char(' '), -1));
    // A stock-out of 2, or a stock-in of 2, that left this stock.
    const Book book(m_files->folders());
    Table models;
    QVERIFY(book.open(models, tables::型号) && book.attach(models, tables::型号资料));
    for (const double change : {-2.0, 2.0}) {
        QCOMPARE(crossesMinimum(models, hammer, stock - change, stock),
                 change < 0 ? outOf2WentBelow : inOf2RoseFromBelow);
    }
}

void MoneyReportsTest::ledgerMoney_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    // Per entry of 8寸: 单价, 金额, 结存金额; then the entries without a record.
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("the whole history, by date")
        << QDate(2000, 1, 1) << QDate(2030, 1, 1)
        << QStringList{"- - 24.48", "2.00 20.00 42.00", "5.00 10.00 229.77", "3.50 14.00 39.90",
                       "- - 36.00", "- - 35.60",        "3.125 12.50 44.50", "2"};
    QTest::newRow("a range counts its own")
        << QDate(2025, 1, 8) << QDate(2025, 1, 10)
        << QStringList{"5.00 10.00 229.77", "3.50 14.00 39.90", "- - 36.00", "0"};
}

void MoneyReportsTest::ledgerMoney()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, entries);
    const ReadResult<ModelLedger> ledger = readModelLedger(m_files->folders(), spanner, from, to);
    QVERIFY(ledger && ledger->moneyReadable);
    QStringList shown;
    for (const LedgerEntry &entry : ledger->entries) {
        shown << QStringLiteral("%1 %2 %3")
                     .arg(entry.unitPrice ? unitPriceText(*entry.unitPrice) : "-",
                          entry.amount ? moneyText(*entry.amount) : "-",
                          entry.balanceValue ? moneyText(*entry.balanceValue) : "-");
    }
    shown << QString::number(ledger->withoutRecord);
    QCOMPARE(shown, entries);
}

void MoneyReportsTest::unreadableAmounts()
{
    if (onServer()) {
        QSKIP("a damaged file");
    }
    // A damaged file of our own leaves the money unknown, the stock as ever.
    QFile damaged(m_files->path(tables::明细金额));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const ReadResult<std::vector<ModelRecord>> all = readAllModels(m_files->folders());
    QVERIFY(all);
    const ReadResult<ValueOnDay> value = readValueOnDay(m_files->folders(), *all, {2025, 1, 9});
    QVERIFY(value && !value->moneyReadable);
    QCOMPARE(value->stock, (std::vector<double>{23, 5, 0}));
    const ReadResult<GrossProfit> profit = readGrossProfit(m_files->folders(), 2025, 1);
    QVERIFY(profit && !profit->moneyReadable && profit->models.empty());
    const ReadResult<ModelLedger> ledger =
        readModelLedger(m_files->folders(), spanner, {2000, 1, 1}, {2030, 1, 1});
    QVERIFY(ledger && !ledger->moneyReadable && ledger->entries.size() == 7);
}

QTEST_GUILESS_MAIN(MoneyReportsTest)
#include "tst_moneyreports.moc"
