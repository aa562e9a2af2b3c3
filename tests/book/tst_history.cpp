#include "book/history/ModelLedger.h"
#include "book/history/StockOnDay.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/TableSchema.h"

#include <QTest>

using namespace kucun;
using namespace kucun::test;

Q_DECLARE_METATYPE(kucun::ModelKey)

class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init();
    void cleanup() { m_files.reset(); }
    void stockOnDay_data();
    void stockOnDay();
    void modelLedger_data();
    void modelLedger();
    void unreadableLog();

private:
    std::unique_ptr<TestTables> m_files;
};

namespace {

const QString hardware = QStringLiteral("五金");
const QString spanner = QStringLiteral("扳手");
const QString pliers = QStringLiteral("钳子");
const ModelKey inch8{hardware, spanner, QStringLiteral("8寸")};
const ModelKey inch10{hardware, spanner, QStringLiteral("10寸")};
const ModelKey newPliers{hardware, pliers, QStringLiteral("新款")};
const ModelKey oldPliers{hardware, pliers, QStringLiteral("旧款")};

void move(TestTables &files, const QDate &day, const ModelKey &key, double in, double out)
{
    addMovement(files, day, key.category, key.item, key.model, in, out, QStringLiteral("把"),
                QStringLiteral("备%1").arg(in - out));
}

// What a ledger lists, one text per row: date, in, out, balance.
QStringList entryTexts(const ModelLedger &ledger)
{
    QStringList texts;
    for (const LedgerEntry &entry : ledger.entries) {
        texts << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(entry.date.date().toString(Qt::ISODate))
                     .arg(entry.in)
                     .arg(entry.out)
                     .arg(entry.balance)
                     .arg(entry.remark);
    }
    return texts;
}

} // namespace

// Models: 8寸 (stock 12), 10寸 (10.5, a fraction from a foreign file), a twin
// of 8寸 (4), and 新款 (3), once called 旧款. The log lost its rows before
// 2024: 8寸 had 2 then. It is stored out of date order.
void HistoryTest::init()
{
    useRowStore();
    m_files = std::make_unique<TestTables>();
    TestTables &files = *m_files;
    files.createAll();
    const auto model = [&files](const ModelKey &key, double stock) {
        files.add(tables::型号, {key.category, key.item, key.model, QStringLiteral("把"), stock});
    };
    model(inch8, 12);
    model(inch10, 10.5);
    model(inch8, 4);
    model(newPliers, 3);
    move(files, {2024, 12, 31}, inch8, 0, 2);
    move(files, {2024, 1, 10}, inch8, 10, 0);
    move(files, {2024, 3, 5}, inch8, 5, 0);
    move(files, {2024, 3, 5}, inch8, 0, 3);
    move(files, {2024, 12, 31}, inch10, 2.5, 0);
    move(files, {2024, 6, 1}, oldPliers, 7, 0);
    move(files, {2025, 1, 2}, newPliers, 0, 1);
}

void HistoryTest::stockOnDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<std::vector<double>>("figures"); // 8寸, 10寸, its twin, 新款

    QTest::newRow("after every movement: the stock now")
        << QDate(2025, 6, 1) << std::vector<double>{12, 10.5, 4, 3};
    QTest::newRow("movements on the day count before its end")
        << QDate(2024, 12, 31) << std::vector<double>{12, 10.5, 4, 4};
    QTest::newRow("the day before: fractions taken back exactly")
        << QDate(2024, 12, 30) << std::vector<double>{14, 8, 4, 4};
    QTest::newRow("before two movements of one day")
        << QDate(2024, 3, 4) << std::vector<double>{12, 8, 4, 4};
    QTest::newRow("before every movement: what the pruned rows left")
        << QDate(2020, 1, 1) << std::vector<double>{2, 8, 4, 4};
}

void HistoryTest::stockOnDay()
{
    QFETCH(QDate, day);
    QFETCH(std::vector<double>, figures);
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(m_files->folders());
    QVERIFY(models);
    QCOMPARE(kucun::stockOnDay(m_files->folders(), *models, day), figures);
}

void HistoryTest::modelLedger_data()
{
    QTest::addColumn<ModelKey>("key");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("opening");
    QTest::addColumn<QStringList>("entries");

    const QDate first(2000, 1, 1);
    const QDate last(9999, 12, 31);
    QTest::newRow("oldest first, one day's in booking order, ending on the stock now")
        << inch8 << first << last << true << 2.0
        << QStringList{
               QStringLiteral("2024-01-10 10 0 12 备10"), QStringLiteral("2024-03-05 5 0 17 备5"),
               QStringLiteral("2024-03-05 0 3 14 备-3"), QStringLiteral("2024-12-31 0 2 12 备-2")};
    QTest::newRow("a range keeps the balances of the whole history")
        << inch8 << QDate(2024, 3, 5) << QDate(2024, 3, 5) << true << 12.0
        << QStringList{QStringLiteral("2024-03-05 5 0 17 备5"),
                       QStringLiteral("2024-03-05 0 3 14 备-3")};
    QTest::newRow("a range without movements opens on its stock")
        << inch8 << QDate(2024, 4, 1) << QDate(2024, 6, 30) << true << 14.0 << QStringList{};
    QTest::newRow("fractions carried exactly")
        << inch10 << first << last << true << 8.0
        << QStringList{QStringLiteral("2024-12-31 2.5 0 10.5 备2.5")};
    QTest::newRow("only movements under the model's texts now")
        << newPliers << first << last << true << 4.0
        << QStringList{QStringLiteral("2025-01-02 0 1 3 备-1")};
    QTest::newRow("a model renamed away has no ledger")
        << oldPliers << first << last << false << 0.0 << QStringList{};
}

void HistoryTest::modelLedger()
{
    QFETCH(ModelKey, key);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, found);
    QFETCH(double, opening);
    QFETCH(QStringList, entries);
    const ReadResult<ModelLedger> ledger = readModelLedger(m_files->folders(), key, from, to);
    QVERIFY(ledger);
    QCOMPARE(ledger->modelFound, found);
    QCOMPARE(ledger->opening, opening);
    QCOMPARE(entryTexts(*ledger), entries);
}

void HistoryTest::unreadableLog()
{
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(m_files->folders());
    QVERIFY(models);
    m_files->removeFile(tables::明细);
    QCOMPARE(kucun::stockOnDay(m_files->folders(), *models, {2024, 1, 1}).fault(),
             StoreFault::Unavailable);
    QCOMPARE(readModelLedger(m_files->folders(), inch8, {2000, 1, 1}, {2030, 1, 1}).fault(),
             StoreFault::Unavailable);
}

QTEST_GUILESS_MAIN(HistoryTest)
#include "tst_history.moc"
