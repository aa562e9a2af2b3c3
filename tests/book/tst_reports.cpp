#include "book/Gb18030.h"
#include "book/reports/CategoryReport.h"
#include "book/reports/MonthlyMovements.h"
#include "book/reports/RowOrder.h"
#include "book/sheets/SpreadsheetExport.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/TableSchema.h"

#include <QFile>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class ReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init() { useRowStore(); }
    void categoryQuery_data();
    void categoryQuery();
    void monthlyNetMovements();
    void rowOrder_data();
    void rowOrder();
    void spreadsheetFile();
    void savingReplacesTheFileOrNothing();
};

namespace {

const QString hardware = QStringLiteral("五金");
const QString spanner = QStringLiteral("扳手");
const QString pliers = QStringLiteral("钳子");

QStringList modelTexts(const std::vector<ModelRecord> &models)
{
    QStringList texts;
    for (const ModelRecord &model : models) {
        texts << model.item + u'/' + model.model;
    }
    return texts;
}

} // namespace

void ReportsTest::categoryQuery_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("choices");

    const QStringList allHardware{QStringLiteral("扳手/8寸"), QStringLiteral("扳手/10寸"),
                                  QStringLiteral("钳子/8寸"), QStringLiteral("扳手/12寸")};
    QTest::newRow("a category: its models, each item once in table order")
        << 1 << hardware << QString() << QString() << allHardware << QStringList{spanner, pliers};
    QTest::newRow("an item: its models, each model once")
        << 2 << hardware << spanner << QString()
        << QStringList{QStringLiteral("扳手/8寸"), QStringLiteral("扳手/10寸"),
                       QStringLiteral("扳手/12寸")}
        << QStringList{QStringLiteral("8寸"), QStringLiteral("10寸"), QStringLiteral("12寸")};
    QTest::newRow("a model of one item only, no choices")
        << 3 << hardware << pliers << QStringLiteral("8寸")
        << QStringList{QStringLiteral("钳子/8寸")} << QStringList{};
    QTest::newRow("an item of another category lists nothing")
        << 2 << hardware << QStringLiteral("电线") << QString() << QStringList{} << QStringList{};
    QTest::newRow("texts compare exactly")
        << 1 << QStringLiteral("五金 ") << QString() << QString() << QStringList{} << QStringList{};
    QTest::newRow("a level with no choice is the empty text")
        << 2 << hardware << QString() << QString() << QStringList{QStringLiteral("/无名")}
        << QStringList{QStringLiteral("无名")};
}

void ReportsTest::categoryQuery()
{
    QFETCH(int, level);
    QFETCH(QString, category);
    QFETCH(QString, item);
    QFETCH(QString, model);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, choices);

    TestTables files;
    addSmallShop(files);
    files.add(tables::型号, {hardware, spanner, QStringLiteral("12寸"), QStringLiteral("把"), 1.5});
    files.add(tables::型号, {hardware, QVariant(), QStringLiteral("无名")});

    const std::optional<CategoryReport> report =
        queryCategoryReport(files.folders(), {level, category, item, model});
    QVERIFY(report);
    QStringList expected = listed;
    if (level == 1 && category == hardware) {
        expected << QStringLiteral("/无名");
        choices << QString();
    }
    QCOMPARE(modelTexts(report->models), expected);
    QCOMPARE(report->nextChoices, choices);

    files.removeFile(tables::型号);
    QVERIFY(!queryCategoryReport(files.folders(), {level, category, item, model}));
}

void ReportsTest::monthlyNetMovements()
{
    TestTables files;
    files.createAll();
    const auto move = [&](const QDate &day, const QString &model, double in, double out) {
        addMovement(files, day, hardware, spanner, model, in, out, QStringLiteral("把"), {});
    };
    const QString inch8 = QStringLiteral("8寸");
    move({2024, 4, 30}, inch8, 100, 0);               // the month before
    move({2024, 5, 1}, inch8, 10, 0);                 // first day
    move({2024, 5, 31}, inch8, 0, 3);                 // last day
    move({2024, 6, 1}, inch8, 0, 50);                 // the month after
    move({2024, 5, 9}, inch8, 7, 7);                  // both quantities: counts nowhere
    move({2024, 5, 9}, QStringLiteral("已删"), 9, 0); // a model no longer listed
    move({2023, 5, 9}, inch8, 30, 0);                 // the same month a year before
    move({2024, 5, 20}, QStringLiteral("10寸"), 0, 4);
    move({9999, 12, 31}, inch8, 6, 0); // the last month there is

    const ModelKey eight{hardware, spanner, inch8};
    const ModelKey ten{hardware, spanner, QStringLiteral("10寸")};
    const ModelKey pliers8{hardware, pliers, inch8};
    // The second key naming 8寸 gets nothing: a movement counts on the first.
    const std::vector<ModelKey> keys{pliers8, eight, ten, eight};
    QCOMPARE(kucun::monthlyNetMovements(files.folders(), keys, 2024, 5),
             (std::vector<double>{0, 7, -4, 0}));
    QCOMPARE(kucun::monthlyNetMovements(files.folders(), keys, 2024, 7),
             (std::vector<double>{0, 0, 0, 0}));
    QCOMPARE(kucun::monthlyNetMovements(files.folders(), keys, 9999, 12),
             (std::vector<double>{0, 6, 0, 0}));
    QCOMPARE(kucun::monthlyNetMovements(files.folders(), {}, 2024, 5), std::vector<double>{});

    files.removeFile(tables::明细);
    QVERIFY(!kucun::monthlyNetMovements(files.folders(), keys, 2024, 5));
}

void ReportsTest::rowOrder_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<int>>("order");

    const int number = int(KeyKind::Number);
    const int text = int(KeyKind::Text);
    QTest::newRow("numbers as numbers")
        << QStringList{QStringLiteral("10"),  QStringLiteral("9"),  QStringLiteral("-2"),
                       QStringLiteral("2.5"), QStringLiteral("件"), QStringLiteral("１２")}
        << number << true << false << QList<int>{2, 4, 3, 1, 0, 5};
    QTest::newRow("numbers within 1e-7 are equal and keep their order")
        << QStringList{QStringLiteral("1.00000001"), QStringLiteral("1"), QStringLiteral("0.5")}
        << number << true << false << QList<int>{2, 0, 1};
    // In code-point order 不 (4E0D) < 中 (4E2D) < 啊 (554A); in GBK 啊 B0A1 < 不 B2BB < 中 D6D0.
    QTest::newRow("Chinese by GBK bytes")
        << QStringList{QStringLiteral("中"), QStringLiteral("不"), QStringLiteral("啊")} << text
        << true << false << QList<int>{2, 1, 0};
    QTest::newRow("texts: digits, capitals, small letters, then Chinese")
        << QStringList{QStringLiteral("扳手"), QStringLiteral("b"), QStringLiteral("B"),
                       QStringLiteral("10")}
        << text << true << false << QList<int>{3, 2, 1, 0};
    QTest::newRow("equal keys keep their order, spaces around trimmed")
        << QStringList{QStringLiteral("五金"), QStringLiteral("电工"),
                       QStringLiteral("\u3000五金 "), QStringLiteral(" 电工")}
        << text << true << false << QList<int>{1, 3, 0, 2};
    QTest::newRow("without case") << QStringList{QStringLiteral("b"), QStringLiteral("A"),
                                                 QStringLiteral("a"), QStringLiteral("B")}
                                  << text << false << false << QList<int>{1, 2, 0, 3};
    QTest::newRow("descending keeps equal keys in order")
        << QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1"),
                       QStringLiteral("2")}
        << number << true << true << QList<int>{1, 3, 0, 2};
    QTest::newRow("dates, shown or stored")
        << QStringList{QStringLiteral("2024年5月3日10时"), QStringLiteral("2024-05-03 09:00:00"),
                       QStringLiteral("2023年12月31日"), QStringLiteral("没有")}
        << int(KeyKind::Date) << true << false << QList<int>{3, 2, 1, 0};
    QTest::newRow("true first, 假 after in their order")
        << QStringList{QStringLiteral("假"), QStringLiteral("真"), QStringLiteral("假"),
                       QStringLiteral("")}
        << int(KeyKind::TrueFalse) << true << false << QList<int>{1, 3, 0, 2};
    QStringList alternating;
    QList<int> ones;
    QList<int> twos;
    for (int row = 0; row < 60; ++row) {
        alternating << QString::number(1 + row % 2);
        (row % 2 ? twos : ones) << row;
    }
    QTest::newRow("a long list stays stable")
        << alternating << number << true << false << ones + twos;
    QTest::newRow("no rows") << QStringList{} << text << true << false << QList<int>{};
}

void ReportsTest::rowOrder()
{
    if (onServer()) {
        QSKIP("no book");
    }
    QFETCH(QStringList, keys);
    QFETCH(int, kind);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, descending);
    QFETCH(QList<int>, order);

    const std::vector<int> sorted =
        sortedRowOrder(keys, {KeyKind(kind), caseSensitive, descending});
    QCOMPARE(QList<int>(sorted.begin(), sorted.end()), order);
}

void ReportsTest::spreadsheetFile()
{
    if (onServer()) {
        QSKIP("no book");
    }
    const ShownTable table{{QStringLiteral("序号"), QStringLiteral("备<注>")},
                           {{QStringLiteral("1"), QStringLiteral("<5mm & \"粗\"")},
                            {QStringLiteral("2"), QStringLiteral("😀 </table>")}}};
    const QByteArray expected =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb18030\">\r\n"
        "<table border=\"0\">\r\n"
        "  <tr>\r\n"
        "<th  colspan='2' style='font-family:\xcb\xce\xcc\xe5;font-size:30px;'>"
        "\xb1\xea&lt;\xcc\xe2&gt;</th>\r\n"
        "  </tr>\r\n"
        "</table>\r\n"
        "<table border=\"1\">\r\n"
        "  <tr>\r\n"
        "    <th>\xd0\xf2\xba\xc5</th>\r\n"
        "    <th>\xb1\xb8&lt;\xd7\xa2&gt;</th>\r\n"
        "  </tr>\r\n"
        "  <tr>\r\n"
        "    <td>1</td>\r\n"
        "    <td>&lt;5mm &amp; &quot;\xb4\xd6&quot;</td>\r\n"
        "  </tr>\r\n"
        "  <tr>\r\n"
        "    <td>2</td>\r\n"
        "    <td>\x94\x39\xfc\x36 &lt;/table&gt;</td>\r\n"
        "  </tr>\r\n"
        "</table>\r\n";
    QCOMPARE(spreadsheetBytes(table, QStringLiteral("标<题>"), true), expected);

    // No title block without a title, no header row without the flag, and
    // an empty list still closes its table.
    QCOMPARE(spreadsheetBytes({table.columnTitles, {}}, QString(), false),
             QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                        "charset=gb18030\">\r\n<table border=\"1\">\r\n</table>\r\n"));
    QCOMPARE(gb18030(QStringLiteral("岚栖库存")), QByteArray("\xe1\xb0\xc6\xdc\xbf\xe2\xb4\xe6"));
}

void ReportsTest::savingReplacesTheFileOrNothing()
{
    if (onServer()) {
        QSKIP("no book");
    }
    QTemporaryDir dir;
    const QString path = spreadsheetPath(dir.path());
    QCOMPARE(path, dir.filePath(QStringLiteral("岚栖库存.xls")));
    QVERIFY(saveFile(path, "a longer first export"));
    QVERIFY(saveFile(path, "second"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("second"));

    QVERIFY(!saveFile(dir.filePath(QStringLiteral("missing/岚栖库存.xls")), "x"));
}

QTEST_GUILESS_MAIN(ReportsTest)
#include "tst_reports.moc"
