#include "book/ChangeNotifier.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/stock/Booking.h"
#include "book/stock/LogQueries.h"
#include "book/stocktake/CountDraft.h"
#include "book/stocktake/Stocktake.h"
#include "helpers/OutcomeText.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class StocktakeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init() { useRowStore(); }
    void bookingACount_data();
    void bookingACount();
    void aScanCountsOneMore_data();
    void aScanCountsOneMore();
    void aDraftKeepsTheCountsOfItsModels();
    void aDamagedDraftIsSetAside_data();
    void aDamagedDraftIsSetAside();
};

namespace {

const QDate today = QDate::currentDate();

// Every model's stock as "名称/型号 stock", in table order.
QStringList stocks(const TestTables &files)
{
    QStringList texts;
    const ReadResult<std::vector<ModelRecord>> models = readAllModels(files.folders());
    for (const ModelRecord &model : *models) {
        texts << model.item + u'/' + model.model + u' ' + numberText(model.stock);
    }
    return texts;
}

// The log's rows as "date 型号 in out remark".
QStringList logRows(const TestTables &files)
{
    QStringList texts;
    const ReadResult<LogMatches> all = movementsWithKeyword(files.folders(), QString());
    const ReadResult<std::vector<MovementRecord>> rows = readMovements(files.folders(), all->ids);
    for (const MovementRecord &row : *rows) {
        texts << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(row.date.date().toString(Qt::ISODate), row.model)
                     .arg(row.in)
                     .arg(row.out)
                     .arg(row.remark);
    }
    return texts;
}

// 实盘 by row of the sheet.
using Counts = QMap<int, double>;

enum class Meanwhile
{
    Nothing,
    Booking,   // +1 of 8寸 today
    BackDated, // +1 of 8寸 on the count day and -1 today, as another copy books
    Deletion,
    NoBookStock, // the second count was kept without the 账面 it was typed against
};

} // namespace

Q_DECLARE_METATYPE(Meanwhile)

void StocktakeTest::bookingACount_data()
{
    // The small shop: 扳手/8寸 10, 扳手/10寸 2, 钳子/8寸 5, 电线/2.5平方 2.5,
    // 电线/4平方 2.5; counts by row.
    QTest::addColumn<int>("daysBack");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<StocktakeOutcome>("outcome");
    QTest::addColumn<QStringList>("stocksAfter");
    QTest::addColumn<QStringList>("logAfter");

    const QStringList untouched{"扳手/8寸 10", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                                "电线/4平方 2.5"};
    const QString day = today.toString(Qt::ISODate);
    QTest::newRow("surplus, shortage, equal and empty rows")
        << 0 << Counts{{0, 12}, {1, 0}, {2, 5}} << Meanwhile::Nothing << StocktakeOutcome::Booked
        << QStringList{"扳手/8寸 12", "扳手/10寸 0", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{day + " 8寸 2 0 盘点", day + " 10寸 0 2 盘点"};
    QTest::newRow("a whole difference of fractions books")
        << 0 << Counts{{3, 3.5}} << Meanwhile::Nothing << StocktakeOutcome::Booked
        << QStringList{"扳手/8寸 10", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 3.5",
                       "电线/4平方 2.5"}
        << QStringList{day + " 2.5平方 1 0 盘点"};
    QTest::newRow("a fractional difference books nothing")
        << 0 << Counts{{0, 12}, {4, 3}} << Meanwhile::Nothing
        << StocktakeOutcome::FractionalDifference << untouched << QStringList{};
    QTest::newRow("nothing counted differs")
        << 0 << Counts{{2, 5}} << Meanwhile::Nothing << StocktakeOutcome::NothingToBook << untouched
        << QStringList{};
    QTest::newRow("a stock booked after loading stops the whole count")
        << 0 << Counts{{1, 0}, {0, 12}} << Meanwhile::Booking << StocktakeOutcome::StockChanged
        << QStringList{"扳手/8寸 11", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{day + " 8寸 1 0 "};
    QTest::newRow("a model deleted after loading stops the whole count")
        << 0 << Counts{{1, 0}, {0, 12}} << Meanwhile::Deletion << StocktakeOutcome::StockChanged
        << QStringList{"扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5", "电线/4平方 2.5"}
        << QStringList{};
    QTest::newRow("a count beyond a booking's limit books nothing")
        << 0 << Counts{{0, 12}, {1, 6901234567892.0}} << Meanwhile::Nothing
        << StocktakeOutcome::CountTooLarge << untouched << QStringList{};
    QTest::newRow("a 20-digit count books nothing")
        << 0 << Counts{{2, 1e19}} << Meanwhile::Nothing << StocktakeOutcome::CountTooLarge
        << untouched << QStringList{};
    QTest::newRow("a count without its 账面 waits")
        << 0 << Counts{{0, 12}, {1, 0}} << Meanwhile::NoBookStock << StocktakeOutcome::Booked
        << QStringList{"扳手/8寸 12", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{day + " 8寸 2 0 盘点"};
    // 8寸 had 7 at the end of the day before yesterday: 3 came in since.
    const QString earlier = today.addDays(-2).toString(Qt::ISODate);
    QTest::newRow("a back-dated booking on the count day stops the count")
        << 2 << Counts{{0, 9}} << Meanwhile::BackDated << StocktakeOutcome::StockChanged
        << QStringList{"扳手/8寸 10", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{today.addDays(-1).toString(Qt::ISODate) + " 8寸 3 0 ", earlier + " 8寸 1 0 ",
                       day + " 8寸 0 1 "};
    QTest::newRow("a booking after the count day leaves its 账面")
        << 2 << Counts{{0, 9}} << Meanwhile::Booking << StocktakeOutcome::Booked
        << QStringList{"扳手/8寸 13", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{today.addDays(-1).toString(Qt::ISODate) + " 8寸 3 0 ", day + " 8寸 1 0 ",
                       earlier + " 8寸 2 0 盘点"};
    QTest::newRow("a count in the past books on its day")
        << 2 << Counts{{0, 9}} << Meanwhile::Nothing << StocktakeOutcome::Booked
        << QStringList{"扳手/8寸 12", "扳手/10寸 2", "钳子/8寸 5", "电线/2.5平方 2.5",
                       "电线/4平方 2.5"}
        << QStringList{today.addDays(-1).toString(Qt::ISODate) + " 8寸 3 0 ",
                       earlier + " 8寸 2 0 盘点"};
}

void StocktakeTest::bookingACount()
{
    QFETCH(int, daysBack);
    QFETCH(Counts, counts);
    QFETCH(Meanwhile, meanwhile);
    QFETCH(StocktakeOutcome, outcome);
    QFETCH(QStringList, stocksAfter);
    QFETCH(QStringList, logAfter);

    TestTables files;
    addSmallShop(files);
    if (daysBack > 0) {
        addMovement(files, today.addDays(-1), QStringLiteral("五金"), QStringLiteral("扳手"),
                    QStringLiteral("8寸"), 3, 0, QStringLiteral("把"), {});
    }
    ReadResult<CountSheet> sheet =
        loadCountSheet(files.folders(), QString(), today.addDays(-daysBack));
    QVERIFY(sheet);
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        sheet->lines[size_t(count.key())].enter(count.value());
    }
    ChangeNotifier changes;
    const auto book8 = [&changes, &files](MovementKind kind, const QDate &day) {
        book(files.folders(),
             {QStringLiteral("五金"),
              QStringLiteral("扳手"),
              QStringLiteral("8寸"),
              kind,
              1,
              1,
              day,
              {}},
             changes);
    };
    if (meanwhile == Meanwhile::Booking) {
        book8(MovementKind::In, today);
    } else if (meanwhile == Meanwhile::BackDated) {
        book8(MovementKind::In, sheet->day);
        book8(MovementKind::Out, today);
    } else if (meanwhile == Meanwhile::NoBookStock) {
        sheet->lines[size_t(std::next(counts.cbegin()).key())].countedAgainst.reset();
    } else if (meanwhile == Meanwhile::Deletion) {
        deleteModel(
            files.folders(), QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("8寸"),
            [] { return true; }, changes);
    }
    QCOMPARE(bookCount(files.folders(), *sheet, changes), outcome);
    QCOMPARE(stocks(files), stocksAfter);
    QCOMPARE(logRows(files), logAfter);
}

void StocktakeTest::aScanCountsOneMore_data()
{
    QTest::addColumn<double>("counted"); // -1: nothing counted yet
    QTest::addColumn<double>("against"); // the 账面 it was counted against
    QTest::addColumn<QString>("after");  // 实盘 and 差异 after the scan
    QTest::addColumn<bool>("waits");
    // The 账面 is 5 throughout.
    QTest::newRow("the first") << -1.0 << 5.0 << "1 -4" << false;
    QTest::newRow("one more") << 5.0 << 5.0 << "6 1" << false;
    QTest::newRow("a count waiting stays waiting") << 3.0 << 4.0 << "4 -" << true;
}

void StocktakeTest::aScanCountsOneMore()
{
    if (onServer()) {
        QSKIP("no book");
    }
    QFETCH(double, counted);
    QFETCH(double, against);
    QFETCH(QString, after);
    QFETCH(bool, waits);
    CountLine line;
    line.bookStock = against;
    if (counted >= 0) {
        line.enter(counted);
    }
    line.bookStock = 5;
    line.countOneMore();
    const std::optional<double> difference = line.difference();
    QCOMPARE(numberText(*line.counted) + ' ' +
                 (difference ? numberText(*difference) : QStringLiteral("-")),
             after);
    QCOMPARE(line.waits(), waits);
}

void StocktakeTest::aDraftKeepsTheCountsOfItsModels()
{
    if (onServer()) {
        QSKIP("a draft is a file on either store");
    }
    TestTables files;
    addSmallShop(files);
    ReadResult<CountSheet> sheet = loadCountSheet(files.folders(), QStringLiteral("五金"), today);
    QVERIFY(sheet);
    QCOMPARE(sheet->lines.size(), size_t(3));
    sheet->lines[0].enter(0);
    sheet->lines[2].enter(7);
    QVERIFY(saveCountDraft(files.folders(), draftOf(*sheet)));

    // 钳子/8寸 is renamed in between: its count does not carry over.
    ChangeNotifier changes;
    QCOMPARE(modifyModel(files.folders(), QStringLiteral("五金"), QStringLiteral("钳子"),
                         QStringLiteral("8寸"), {QStringLiteral("9寸"), QStringLiteral("把"), {}},
                         changes),
             CatalogueOutcome::Done);
    const ReadResult<KeptDraft> kept = loadCountDraft(files.folders());
    QVERIFY(kept && kept->draft);
    QCOMPARE(kept->draft->category, QStringLiteral("五金"));
    QCOMPARE(kept->draft->day, today);
    ReadResult<CountSheet> again =
        loadCountSheet(files.folders(), kept->draft->category, kept->draft->day);
    QCOMPARE(applyDraft(*kept->draft, *again), 1);
    QCOMPARE(again->lines[0].counted, std::optional<double>(0));
    QCOMPARE(again->lines[0].countedAgainst, std::optional<double>(10));
    QCOMPARE(again->lines[1].counted, std::nullopt);
    QCOMPARE(again->lines[2].counted, std::nullopt);

    QVERIFY(discardCountDraft(files.folders()));
    QVERIFY(!loadCountDraft(files.folders())->draft);
}

void StocktakeTest::aDamagedDraftIsSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    const QByteArray head =
        "{\"品类\":\"\",\"日期\":\"" + today.toString(Qt::ISODate).toUtf8() + "\",\"counts\":[";
    const auto count = [](const QByteArray &id, const QByteArray &counted) {
        return "{\"id\":" + id +
               ",\"品类\":\"五金\",\"名称\":\"扳手\",\"型号\":\"8寸\",\"实盘\":" + counted + "}";
    };
    QTest::newRow("a draft of an older version") << head + count("1", "12") + "]}" << false;
    QTest::newRow("no JSON") << head + count("1", "12") << true;
    QTest::newRow("a count as a text") << head + count("1", "\"12\"") + "]}" << true;
    QTest::newRow("a negative count") << head + count("1", "-1") + "]}" << true;
    QTest::newRow("a count beyond a booking") << head + count("1", "1e19") + "]}" << true;
    QTest::newRow("an id that is no number") << head + count("\"x\"", "1") + "]}" << true;
    QTest::newRow("an id twice") << head + count("1", "1") + "," + count("1", "2") + "]}" << true;
    QByteArray six = head;
    for (int id = 1; id <= 6; ++id) {
        six += count(QByteArray::number(id), "1") + (id < 6 ? "," : "]}");
    }
    QTest::newRow("more counts than models") << six << true;
    QTest::newRow("too big for one count a model")
        << head + count("1", "12") + "]}" + QByteArray(4096 + 5 * 256, ' ') << true;
}

void StocktakeTest::aDamagedDraftIsSetAside()
{
    if (onServer()) {
        QSKIP("a draft is a file on either store");
    }
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    TestTables files;
    addSmallShop(files);
    const QDir work(files.workDir());
    QFile draft(work.filePath(QStringLiteral("盘点.json")));
    QVERIFY(draft.open(QIODevice::WriteOnly) && draft.write(bytes) == bytes.size());
    draft.close();

    const ReadResult<KeptDraft> kept = loadCountDraft(files.folders());
    QVERIFY(kept);
    QCOMPARE(kept->damage, damaged ? KeptDraft::Damage::SetAside : KeptDraft::Damage::None);
    QCOMPARE(bool(kept->draft), !damaged);
    if (!damaged) {
        // Its count was typed against a 账面 it does not name: it waits.
        ReadResult<CountSheet> sheet = loadCountSheet(files.folders(), QString(), today);
        QCOMPARE(applyDraft(*kept->draft, *sheet), 0);
        QCOMPARE(summarize(*sheet).waiting, 1);
        return;
    }
    QFile aside(work.filePath(QStringLiteral("盘点.json.bad")));
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), bytes);
    // Told once: the next start finds no draft.
    QCOMPARE(loadCountDraft(files.folders())->damage, KeptDraft::Damage::None);
}

QTEST_GUILESS_MAIN(StocktakeTest)
#include "tst_stocktake.moc"
