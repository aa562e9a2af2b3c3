#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/TableSchema.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/MovementIcons.h"
#include "ui/RollUpMenu.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class StockViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void modelListsFollowTheMenus();
    void dayLogShowsTheChosenDay();
    void keywordAndDateSearch();
    void filterKeepsMatchingModels();
    void hidingAndShowingGroups();
};

namespace {

using Shop = ShopWindow;

} // namespace

void StockViewsTest::modelListsFollowTheMenus()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.start();
    auto *menu = shop.get<RollUpMenu>("卷帘式菜单1");
    auto *models = shop.get<ListView>("超级列表框进销");

    // The same 型号 under two items shows only under its own item.
    menu->chooseItem(0, 1);
    QCOMPARE(shop.get<QLabel>("标签进销名称")->text(), QStringLiteral("钳子"));
    // A label that shows a value speaks that value.
    const auto spoken = [&shop](const char *label) {
        return QAccessible::queryAccessibleInterface(shop.get<QLabel>(label))
            ->text(QAccessible::Name);
    };
    QCOMPARE(spoken("标签进销名称"), QStringLiteral("钳子"));
    QCOMPARE(allRows(models), (QList<QStringList>{{"1", "8寸", "5", "把", "尖嘴"}}));
    menu->chooseItem(1, 0);
    QCOMPARE(allRows(models), (QList<QStringList>{{"1", "2.5平方", "2.5", "卷", "红色"},
                                                  {"2", "4平方", "2.5", "卷", ""}}));
    // Choosing a group empties the list and the item name.
    menu->chooseGroup(0);
    QCOMPARE(models->rowCount(), 0);
    QCOMPARE(shop.get<QLabel>("标签进销名称")->text(), QString());

    shop.get<RollUpMenu>("卷帘式菜单2")->chooseItem(0, 0);
    QCOMPARE(shop.get<QLabel>("标签设置名称")->text(), QStringLiteral("扳手"));
    QCOMPARE(allRows(shop.get<ListView>("超级列表框设置")),
             (QList<QStringList>{{"1", "8寸", "把", "常用"}, {"2", "10寸", "把", ""}}));

    // The whole stock lists every model; its total is the true sum.
    const auto *whole = shop.get<ListView>("超级列表框总库存");
    QCOMPARE(whole->rowCount(), 5);
    QCOMPARE(rowTexts(whole, 2), (QStringList{"3", "五金", "钳子", "8寸", "5", "把", "尖嘴"}));
    QCOMPARE(shop.get<QLabel>("标签合计库存")->text(), QStringLiteral("22"));
    QCOMPARE(spoken("标签合计库存"), QStringLiteral("22"));
    const auto *month = shop.get<ListView>("超级列表框月库存");
    QCOMPARE(rowTexts(month, 3), (QStringList{"4", "电工", "电线", "2.5平方", "0", "卷", "红色"}));
    QCOMPARE(month->rowCount(), 5);
    QCOMPARE(shop.get<QLabel>("标签合计月库存")->text(), QStringLiteral("0"));
    QCOMPARE(shop.dialogs.texts(), QStringList());
    // Another month rebuilds the monthly list from the table.
    shop.files.add(tables::型号, {QStringLiteral("电工"), QStringLiteral("电线"),
                                  QStringLiteral("6平方"), QStringLiteral("卷"), 3.0});
    auto *calendar = shop.get<QCalendarWidget>("月历1");
    calendar->setSelectedDate(calendar->selectedDate().addMonths(-1));
    QCOMPARE(month->rowCount(), 6);
    QCOMPARE(rowTexts(month, 5), (QStringList{"6", "电工", "电线", "6平方", "0", "卷", ""}));

    // An empty model table: empty lists, totals at 0.
    Shop empty;
    empty.files.createAll();
    empty.files.add(tables::品类, {QStringLiteral("五金")});
    empty.files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    empty.start();
    empty.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    QCOMPARE(empty.get<ListView>("超级列表框进销")->rowCount(), 0);
    QCOMPARE(empty.get<ListView>("超级列表框总库存")->rowCount(), 0);
    QCOMPARE(empty.get<QLabel>("标签合计库存")->text(), QStringLiteral("0"));

    // A missing model table is reported and leaves the list cleared.
    empty.files.removeFile(tables::型号);
    empty.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    QCOMPARE(empty.dialogs.texts(), QStringList{QStringLiteral("数据库打开失败或丢失！")});
}

void StockViewsTest::dayLogShowsTheChosenDay()
{
    Shop shop;
    addSmallShop(shop.files);
    const QString hardware = QStringLiteral("五金"), spanner = QStringLiteral("扳手");
    addMovement(shop.files, QDate(2024, 5, 3), hardware, spanner, QStringLiteral("8寸"), 4, 0,
                QStringLiteral("把"), QStringLiteral("进货"));
    addMovement(shop.files, QDate(2024, 5, 4), hardware, spanner, QStringLiteral("8寸"), 9, 0,
                QStringLiteral("把"), {});
    addMovement(shop.files, QDate(2024, 5, 3), hardware, spanner, QStringLiteral("10寸"), 0, 2.5,
                QStringLiteral("把"), {});
    addMovement(shop.files, QDate(2024, 5, 3), hardware, spanner, QStringLiteral("10寸"), 0, 2.5,
                QStringLiteral("把"), {});
    addMovement(shop.files, QDate(2024, 5, 3), hardware, spanner, QStringLiteral("10寸"), 0, 0,
                QStringLiteral("把"), QStringLiteral("空"));
    shop.start();

    auto *dayLog = shop.get<ListView>("超级列表框日志");
    QCOMPARE(dayLog->rowCount(), 0); // today has no movements
    shop.get<QDateEdit>("日期框进销")->setDate(QDate(2024, 5, 3));
    QCOMPARE(allRows(dayLog),
             (QList<QStringList>{{"1", "五金", "扳手", "8寸", "4", "0", "把", "进货"},
                                 {"2", "五金", "扳手", "10寸", "0", "2.5", "把", ""},
                                 {"3", "五金", "扳手", "10寸", "0", "2.5", "把", ""},
                                 {"4", "五金", "扳手", "10寸", "0", "0", "把", "空"}}));
    QCOMPARE(dayLog->cellIcon(0, 4), int(MovementIcon::In));
    QCOMPARE(dayLog->cellIcon(1, 5), int(MovementIcon::Out));
    // A row with neither set shows the stock-out image.
    QCOMPARE(dayLog->cellIcon(3, 5), int(MovementIcon::Out));
    QVERIFY(!dayLog->model()->index(0, 4).data(Qt::DecorationRole).isNull());
    QCOMPARE(shop.get<QLabel>("标签入库合计")->text(), QStringLiteral("4"));
    QCOMPARE(shop.get<QLabel>("标签出库合计")->text(), QStringLiteral("5"));
    QCOMPARE(shop.get<QLabel>("透明标签日志总数")->text(),
             QStringLiteral("当前数据库中日志记录总数为：5条"));

    shop.get<QDateEdit>("日期框进销")->setDate(QDate(2024, 5, 5));
    QCOMPARE(dayLog->rowCount(), 0);
    QCOMPARE(shop.get<QLabel>("标签入库合计")->text(), QStringLiteral("0"));

    // A missing log: the message once, the list cleared and totals at 0.
    shop.get<QDateEdit>("日期框进销")->setDate(QDate(2024, 5, 4));
    QCOMPARE(dayLog->rowCount(), 1);
    shop.files.removeFile(tables::明细);
    shop.get<QDateEdit>("日期框进销")->setDate(QDate(2024, 5, 3));
    QCOMPARE(shop.dialogs.texts(), QStringList{QStringLiteral("数据库打开失败或丢失！")});
    QCOMPARE(dayLog->rowCount(), 0);
    QCOMPARE(shop.get<QLabel>("标签入库合计")->text(), QStringLiteral("0"));
}

void StockViewsTest::keywordAndDateSearch()
{
    Shop shop;
    addSmallShop(shop.files);
    const QString hardware = QStringLiteral("五金");
    addMovement(shop.files, QDate(2024, 4, 30), hardware, QStringLiteral("扳手"),
                QStringLiteral("8寸"), 4, 0, QStringLiteral("把"), QStringLiteral("进货"));
    addMovement(shop.files, QDate(2024, 5, 2), QStringLiteral("电工"), QStringLiteral("电线"),
                QStringLiteral("4平方"), 0, 1, QStringLiteral("卷"), QStringLiteral("Abc"));
    addMovement(shop.files, QDate(2024, 5, 3), hardware, QStringLiteral("钳子"),
                QStringLiteral("8寸"), 6, 0, QStringLiteral("把"), QStringLiteral("abc"));
    shop.start();
    auto *results = shop.get<ListView>("超级列表框明细");
    auto *inTotal = shop.get<QLabel>("标签明细入库合计");
    auto *outTotal = shop.get<QLabel>("标签明细出库合计");
    const auto search = [&](const QString &keyword) {
        typeInto(shop.get<QLineEdit>("编辑框关键字"), keyword);
        clickButton(*shop.window, QStringLiteral("按钮模糊搜索"));
        QStringList found;
        for (const QStringList &row : allRows(results)) {
            found << row[8];
        }
        return found;
    };
    QCOMPARE(search(QStringLiteral("8寸")), (QStringList{"进货", "abc"}));
    QCOMPARE(rowTexts(results, 1),
             (QStringList{"2", "2024年5月3日", "五金", "钳子", "8寸", "6", "0", "把", "abc"}));
    QCOMPARE(results->cellIcon(1, 5), int(MovementIcon::In));
    QCOMPARE(inTotal->text(), QStringLiteral("10"));
    QCOMPARE(outTotal->text(), QStringLiteral("0"));
    QCOMPARE(search(QStringLiteral("电")), (QStringList{"Abc"}));
    QCOMPARE(results->cellIcon(0, 6), int(MovementIcon::Out));
    QCOMPARE(search(QStringLiteral("abc")), (QStringList{"abc"}));
    QCOMPARE(search(QStringLiteral("没有")), QStringList());
    QCOMPARE(inTotal->text(), QString());
    QCOMPARE(shop.get<QLabel>("透明标签日志总数")->text(),
             QStringLiteral("当前数据库中日志记录总数为：3条"));

    auto *from = shop.get<QDateEdit>("日期框明细起");
    auto *to = shop.get<QDateEdit>("日期框明细止");
    from->setDate(QDate(2024, 5, 1));
    to->setDate(QDate(2024, 5, 3));
    clickButton(*shop.window, QStringLiteral("按钮日期搜索"));
    QCOMPARE(results->rowCount(), 2);
    QCOMPARE(results->cellText(0, 1), QStringLiteral("2024年5月2日"));
    QCOMPARE(inTotal->text(), QStringLiteral("6"));
    QCOMPARE(outTotal->text(), QStringLiteral("1"));
    // A range that starts after it ends lists nothing and leaves the totals empty.
    from->setDate(QDate(2024, 5, 4));
    clickButton(*shop.window, QStringLiteral("按钮日期搜索"));
    QCOMPARE(results->rowCount(), 0);
    QCOMPARE(inTotal->text(), QString());
    QCOMPARE(shop.dialogs.texts(), QStringList());

    // An empty log still tells its count.
    Shop empty;
    empty.files.createAll();
    empty.start();
    clickButton(*empty.window, QStringLiteral("按钮模糊搜索"));
    QCOMPARE(empty.get<QLabel>("透明标签日志总数")->text(),
             QStringLiteral("当前数据库中日志记录总数为：0条"));
}

void StockViewsTest::filterKeepsMatchingModels()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.files.add(tables::型号,
                   {QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("梅花"),
                    QStringLiteral("把"), 1.0, QStringLiteral("8寸配套")});
    shop.start();
    clickButton(*shop.window, QStringLiteral("按钮5"));
    QCOMPARE(shop.dialogs.texts(), QStringList{QStringLiteral("列表无项目！")});
    QCOMPARE(shop.dialogs.shown().first().icon, 48);

    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    auto *models = shop.get<ListView>("超级列表框进销");
    QCOMPARE(models->rowCount(), 3);
    // A match in 型号 or in 备注 stays; the rest go and the rows are renumbered.
    typeInto(shop.get<QLineEdit>("编辑框_关键字"), QStringLiteral("8寸"));
    clickButton(*shop.window, QStringLiteral("按钮5"));
    QCOMPARE(allRows(models), (QList<QStringList>{{"1", "8寸", "10", "把", "常用"},
                                                  {"2", "梅花", "1", "把", "8寸配套"}}));
    typeInto(shop.get<QLineEdit>("编辑框_关键字"), QStringLiteral("梅"));
    clickButton(*shop.window, QStringLiteral("按钮5"));
    QCOMPARE(allRows(models), (QList<QStringList>{{"1", "梅花", "1", "把", "8寸配套"}}));
}

void StockViewsTest::hidingAndShowingGroups()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.files.add(tables::品类, {QStringLiteral("水暖")});
    shop.start();
    auto *menu = shop.get<RollUpMenu>("卷帘式菜单1");
    menu->rightClickGroup(0);
    menu->rightClickGroup(2);
    QVERIFY(menu->isGroupHidden(0));
    QVERIFY(menu->isGroupHidden(2));
    // The last shown group cannot be hidden.
    menu->rightClickGroup(1);
    QVERIFY(!menu->isGroupHidden(1));
    // The settings page menu is not affected.
    QVERIFY(!shop.get<RollUpMenu>("卷帘式菜单2")->isGroupHidden(0));

    clickButton(*shop.window, QStringLiteral("按钮显示菜单"));
    QVERIFY(!menu->isGroupHidden(0));
    QVERIFY(!menu->isGroupHidden(2));
}

QTEST_MAIN(StockViewsTest)
#include "tst_stockviews.moc"
