#include "book/catalogue/CatalogueReads.h"
#include "book/stock/LogQueries.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/TableSchema.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// Whatever a user types is stored, shown and exported exactly, or refused
// with a message; nothing crashes.
class HostileInputTest : public QObject
{
    Q_OBJECT

private slots:
    void textsAreKeptExactly();
    void oddQuantitiesAndDates();
};

namespace {

struct Shop : ShopWindow
{
    Shop()
    {
        files.createAll();
        start();
    }
    void type(const char *edit, const QString &text) const { typeInto(get<QLineEdit>(edit), text); }
    void click(const char *button) const { clickButton(*window, QString::fromUtf8(button)); }
};

} // namespace

void HostileInputTest::textsAreKeptExactly()
{
    Shop shop;
    QString long100k;
    for (int i = 0; long100k.size() < 100000; ++i) {
        long100k += QStringLiteral("长文本%1-").arg(i);
    }
    long100k.truncate(100000);
    const QString category = long100k;
    const QString item = QStringLiteral("a\tb\x01\x7f\u200b😀");
    const QString model = QStringLiteral("\"'<b>&amp;</table>");
    const QString unit = QStringLiteral("𠀀"); // outside GBK, four GB18030 bytes
    const QString remark = QStringLiteral("  备注 ");

    shop.type("编辑框品类", category);
    shop.click("按钮添加品类");
    shop.get<QComboBox>("组合框品类")->setCurrentIndex(0);
    shop.type("编辑框名称", item);
    shop.click("按钮添加名称");
    shop.get<RollUpMenu>("卷帘式菜单2")->chooseItem(0, 0);
    shop.type("编辑框型号", model);
    shop.type("编辑框单位", unit);
    shop.type("编辑框型号备注", remark);
    shop.click("按钮添加型号");
    QCOMPARE(shop.dialogs.texts(), QStringList());

    const std::optional<std::vector<ModelRecord>> stored = readAllModels(shop.files.folders());
    QVERIFY(stored && stored->size() == 1);
    const ModelRecord &record = stored->front();
    QCOMPARE(record.category, category);
    QCOMPARE(record.item, item);
    QCOMPARE(record.model, model);
    QCOMPARE(record.unit, unit);
    QCOMPARE(record.remark, remark);
    QCOMPARE(shop.get<RollUpMenu>("卷帘式菜单1")->groupText(0), category);
    QCOMPARE(shop.get<RollUpMenu>("卷帘式菜单1")->itemText(0, 0), item);
    shop.get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
    const QStringList shown{"1", category, item, model, "0", unit, remark};
    QCOMPARE(rowTexts(shop.get<ListView>("超级列表框总库存"), 0), shown);

    // Book in with the same texts as its remark; the log keeps them too.
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    clickRow(shop.get<ListView>("超级列表框进销"), 0);
    shop.type("编辑框入库", QStringLiteral("2"));
    shop.type("编辑框明细备注", model + item);
    shop.click("按钮入库");
    QCOMPARE(shop.dialogs.texts(), QStringList());
    const std::optional<LogMatches> log = movementsWithKeyword(shop.files.folders(), QString());
    QVERIFY(log && log->ids.size() == 1);
    QCOMPARE(readMovements(shop.files.folders(), log->ids)->front().remark, model + item);

    // The export keeps every character; markup is written as entities.
    shop.click("按钮导出总库存");
    QFile file(QDir(shop.files.programDir()).filePath(QStringLiteral("岚栖库存.xls")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringDecoder gb18030("GB18030");
    const QString exported = gb18030.decode(file.readAll());
    QVERIFY(!gb18030.hasError());
    const auto cell = [](const QString &text) { return QStringLiteral("<td>%1</td>").arg(text); };
    QVERIFY(exported.contains(cell(category)));
    QVERIFY(exported.contains(cell(item)));
    QVERIFY(exported.contains(QStringLiteral("<td>&quot;'&lt;b&gt;&amp;amp;&lt;/table&gt;</td>")));
    QVERIFY(exported.contains(cell(unit)));
    QVERIFY(exported.contains(cell(remark)));
}

void HostileInputTest::oddQuantitiesAndDates()
{
    Shop shop;
    shop.files.add(tables::品类, {QStringLiteral("五金")});
    shop.files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    shop.files.add(tables::型号, {QStringLiteral("五金"), QStringLiteral("扳手"),
                                  QStringLiteral("8寸"), QStringLiteral("把"), 0.0});
    shop.window = startMainWindow(shop.dialogs, shop.files.folders());
    showWindow(*shop.window);
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    auto *models = shop.get<ListView>("超级列表框进销");
    const auto bookIn = [&](const QString &quantity) {
        clickRow(models, 0);
        shop.type("编辑框入库", quantity);
        shop.dialogs.forget();
        shop.click("按钮入库");
        return shop.dialogs.texts();
    };
    const QStringList refused{"请输入有效的数量！"};
    QCOMPARE(bookIn(QStringLiteral("99999999999")), refused);
    QCOMPARE(bookIn(QStringLiteral("-1")), refused);
    QCOMPARE(models->cellText(0, 2), QStringLiteral("0"));
    QCOMPARE(bookIn(QStringLiteral("１２")), QStringList());
    QCOMPARE(bookIn(QStringLiteral(" 3 ")), QStringList());
    QCOMPARE(models->cellText(0, 2), QStringLiteral("15"));

    // The first and last days the log compares are booked and found.
    auto *day = shop.get<QDateEdit>("日期框进销");
    for (const QDate &limit : {QDate(100, 1, 1), QDate(9999, 12, 31)}) {
        day->setDate(limit);
        QCOMPARE(day->date(), limit);
        QCOMPARE(bookIn(QStringLiteral("1")), QStringList());
        QCOMPARE(shop.get<ListView>("超级列表框日志")->rowCount(), 1);
        QCOMPARE(movementsOfDay(shop.files.folders(), limit)->ids.size(), 1);
    }
    QCOMPARE(models->cellText(0, 2), QStringLiteral("17"));
}

QTEST_MAIN(HostileInputTest)
#include "tst_hostileinput.moc"
