#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/SqlCipher.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/MovementIcons.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class StockTest : public QObject
{
    Q_OBJECT

private slots:
    void bookingInAndOutUpdatesEveryView();
    void quantitiesAreReadAsTyped();
    void checksComeInOrder();
    void stockChangeAndMovementAreOneChange();
    void deletingExactlyTheSelectedLogRows();
};

namespace {

// The booking page of a started window over the small shop.
struct OpenBookingPage
{
    TestTables files;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    OpenBookingPage()
    {
        addSmallShop(files);
        window = startMainWindow(dialogs, files.folders());
        showWindow(*window);
    }
    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
    ListView *models() const { return get<ListView>("超级列表框进销"); }
    // Chooses 五金/扳手 in the menu and selects the row of a model.
    void selectModel(int row)
    {
        get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
        clickRow(models(), row);
    }
    double storedStock(const QString &item, const QString &model) const
    {
        Table table;
        table.open(files.path(tables::型号), tablePassword());
        table.findTexts({{fields::名称, item}, {fields::型号, model}});
        return table.number(fields::库存);
    }
    qint64 movementCount() const
    {
        Table table;
        table.open(files.path(tables::明细), tablePassword());
        return table.recordCount();
    }
};

QVariantList lastMovement(const TestTables &files)
{
    Table table;
    table.open(files.path(tables::明细), tablePassword());
    QVariantList last;
    const bool whole = table.forEachMatching(RecordFilter::all(), [&last](const Record &r) {
        last = {r.dateTime(fields::日期), r.text(fields::品类),   r.text(fields::名称),
                r.text(fields::型号),     r.number(fields::入库), r.number(fields::出库),
                r.text(fields::单位),     r.text(fields::备注)};
    });
    return whole ? last : QVariantList();
}

} // namespace

void StockTest::bookingInAndOutUpdatesEveryView()
{
    OpenBookingPage page;
    auto *dateBox = page.get<QDateEdit>("日期框进销");
    QCOMPARE(dateBox->date(), QDate::currentDate());
    dateBox->setDate(QDate(2024, 5, 3));

    page.selectModel(0);
    QCOMPARE(page.get<QLabel>("标签进销名称")->text(), QStringLiteral("扳手"));
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), QStringLiteral("8寸"));
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("3"));
    typeInto(page.get<QLineEdit>("编辑框明细备注"), QStringLiteral("进货"));
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.dialogs.texts(), QStringList());

    QCOMPARE(allRows(page.models()),
             (QList<QStringList>{{"1", "8寸", "13", "把", "常用"}, {"2", "10寸", "2", "把", ""}}));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("8寸")), 13.0);
    QCOMPARE(lastMovement(page.files),
             (QVariantList{storedDateTime(QDate(2024, 5, 3)), QStringLiteral("五金"),
                           QStringLiteral("扳手"), QStringLiteral("8寸"), 3.0, 0.0,
                           QStringLiteral("把"), QStringLiteral("进货")}));
    // The whole stock is brought up to date when the report page is shown.
    auto *pages = page.get<QTabWidget>("高级选择夹1");
    pages->setCurrentIndex(2);
    const auto *whole = page.get<ListView>("超级列表框总库存");
    QCOMPARE(rowTexts(whole, 0), (QStringList{"1", "五金", "扳手", "8寸", "13", "把", "常用"}));
    QCOMPARE(page.get<QLabel>("标签合计库存")->text(), QStringLiteral("25"));
    pages->setCurrentIndex(0);
    const auto *dayLog = page.get<ListView>("超级列表框日志");
    QCOMPARE(allRows(dayLog),
             (QList<QStringList>{{"1", "五金", "扳手", "8寸", "3", "0", "把", "进货"}}));
    QCOMPARE(dayLog->cellIcon(0, 4), int(MovementIcon::In));
    QCOMPARE(page.get<QLabel>("标签入库合计")->text(), QStringLiteral("3"));
    QCOMPARE(page.get<QLabel>("标签出库合计")->text(), QStringLiteral("0"));
    // The four boxes are emptied for the next booking.
    for (const char *box : {"编辑框入库", "编辑框出库", "编辑框明细备注"}) {
        QCOMPARE(page.get<QLineEdit>(box)->text(), QString());
    }
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), QString());

    // Stock-out of exactly the stock shown leaves 0.
    clickRow(page.models(), 0);
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("13"));
    clickButton(*page.window, QStringLiteral("按钮出库"));
    QCOMPARE(page.dialogs.texts(), QStringList());
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("8寸")), 0.0);
    QCOMPARE(page.models()->cellText(0, 2), QStringLiteral("0"));
    QCOMPARE(lastMovement(page.files)[4], QVariant(0.0));
    QCOMPARE(lastMovement(page.files)[5], QVariant(13.0));
    QCOMPARE(allRows(dayLog).last(),
             (QStringList{"2", "五金", "扳手", "8寸", "0", "13", "把", ""}));
    QCOMPARE(dayLog->cellIcon(1, 5), int(MovementIcon::Out));
    QCOMPARE(dayLog->cellIcon(1, 4), -1);
    QCOMPARE(page.get<QLabel>("标签出库合计")->text(), QStringLiteral("13"));

    // Big stocks read back from the list as they are.
    page.files.add(tables::型号, {QStringLiteral("五金"), QStringLiteral("扳手"),
                                  QStringLiteral("批发"), QStringLiteral("把"), 100000.0});
    page.selectModel(2);
    QCOMPARE(page.models()->cellText(2, 2), QStringLiteral("100000"));
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("5"));
    clickButton(*page.window, QStringLiteral("按钮出库"));
    QCOMPARE(page.dialogs.texts(), QStringList());
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("批发")), 99995.0);
    pages->setCurrentIndex(2);
    QCOMPARE(page.get<QLabel>("标签合计库存")->text(), QStringLiteral("100007"));
}

void StockTest::quantitiesAreReadAsTyped()
{
    OpenBookingPage page;
    const auto bookIn = [&page](const QString &typed) {
        page.selectModel(1);
        typeInto(page.get<QLineEdit>("编辑框入库"), typed);
        clickButton(*page.window, QStringLiteral("按钮入库"));
    };
    bookIn(QStringLiteral("3.9"));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 5.0);
    QCOMPARE(lastMovement(page.files)[4], QVariant(3.0));
    bookIn(QStringLiteral("　１２ "));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 17.0);
    bookIn(QStringLiteral(" 3 "));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 20.0);
    QCOMPARE(page.dialogs.texts(), QStringList());

    // Enter in the quantity box books as the button does.
    page.selectModel(1);
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("4"));
    QTest::keyClick(page.get<QLineEdit>("编辑框出库"), Qt::Key_Return);
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 16.0);
    page.selectModel(1);
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("4"));
    QTest::keyClick(page.get<QLineEdit>("编辑框入库"), Qt::Key_Enter);
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 20.0);

    // Refused quantities change nothing.
    for (const char *typed : {"0", "0.5", "abc", "-3", "－3", "2147483648", "."}) {
        page.dialogs.forget();
        bookIn(QString::fromUtf8(typed));
        QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("请输入有效的数量！")});
        QCOMPARE(page.dialogs.shown().first().icon, 48);
    }
    page.dialogs.forget();
    page.selectModel(1);
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("0"));
    clickButton(*page.window, QStringLiteral("按钮出库"));
    QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("请输入有效的数量！")});
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 20.0);
    QCOMPARE(page.movementCount(), 5);
}

void StockTest::checksComeInOrder()
{
    OpenBookingPage page;
    const auto messageAfter = [&page](const char *button) {
        page.dialogs.forget();
        clickButton(*page.window, QString::fromUtf8(button));
        return page.dialogs.shown().isEmpty() ? ShownBox{} : page.dialogs.shown().first();
    };
    // Nothing chosen yet.
    QCOMPARE(messageAfter("按钮入库").text, QStringLiteral("请选择要入库的产品型号！"));
    QCOMPARE(messageAfter("按钮出库").text, QStringLiteral("请选择要出库的产品型号！"));

    page.selectModel(1); // 10寸, stock 2
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral(" 　"));
    QCOMPARE(messageAfter("按钮入库").text, QStringLiteral("请添加要入库的数量！"));
    QCOMPARE(messageAfter("按钮出库").text, QStringLiteral("请添加要出库的数量！"));
    QCOMPARE(page.dialogs.shown().first().icon, 48);

    // More than the list shows.
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("3"));
    const ShownBox tooMuch = messageAfter("按钮出库");
    QCOMPARE(tooMuch.text, QStringLiteral("没有足够的库存，请核实！"));
    QCOMPARE(tooMuch.icon, 16);

    // 2.5 passes the list check (2 against 2) but not the table's balance.
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("2.5"));
    const ShownBox balance = messageAfter("按钮出库");
    QCOMPARE(balance.text, QStringLiteral("库存余额不足！"));
    QCOMPARE(balance.icon, 16);
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("10寸")), 2.0);
    QCOMPARE(page.movementCount(), 0);

    // The model still named but no row selected.
    page.models()->clearSelection();
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), QStringLiteral("10寸"));
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("4"));
    QCOMPARE(messageAfter("按钮入库").text, QStringLiteral("请选择要进销库的型号"));
    typeInto(page.get<QLineEdit>("编辑框出库"), QStringLiteral("1"));
    QCOMPARE(messageAfter("按钮出库").text, QStringLiteral("没有足够的库存，请核实！"));
    QCOMPARE(page.movementCount(), 0);
}

void StockTest::stockChangeAndMovementAreOneChange()
{
    OpenBookingPage page;
    page.selectModel(0);
    page.files.removeFile(tables::明细);
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("5"));
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("数据库打开失败或丢失！")});
    QCOMPARE(page.dialogs.shown().first().icon, 16);
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("8寸")), 10.0);

    // A log another program holds past the wait is busy, not missing.
    page.files.create(tables::明细);
    {
        auto other = sql::Connection::openExisting(page.files.path(tables::明细), tablePassword());
        QVERIFY(other && other->exec(QStringLiteral("BEGIN EXCLUSIVE")));
        page.dialogs.forget();
        clickButton(*page.window, QStringLiteral("按钮入库"));
        // A search of the log it holds says so too.
        clickButton(*page.window, QStringLiteral("按钮模糊搜索"));
    }
    QCOMPARE(page.dialogs.texts(),
             QStringList(2, QStringLiteral("数据表正被其他程序使用，请稍后重试！")));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("8寸")), 10.0);

    // A log whose quantities are texts: neither booked into nor searched.
    page.files.removeFile(tables::明细);
    QVERIFY(sql::Connection::create(page.files.path(tables::明细), tablePassword())
                ->exec(QStringLiteral("CREATE TABLE 明细(日期 DATETIME, 品类 TEXT, 名称 TEXT, "
                                      "型号 TEXT, 入库 TEXT, 出库 TEXT, 单位 TEXT, 备注 TEXT)")));
    page.dialogs.forget();
    clickButton(*page.window, QStringLiteral("按钮入库"));
    clickButton(*page.window, QStringLiteral("按钮模糊搜索"));
    QCOMPARE(page.dialogs.texts(),
             QStringList(2, QStringLiteral("数据表“明细”的字段“入库”缺失或类型不符，无法使用！")));
    QCOMPARE(page.storedStock(QStringLiteral("扳手"), QStringLiteral("8寸")), 10.0);
    page.files.removeFile(tables::明细);
    page.files.create(tables::明细);

    // A model the table no longer has: nothing is written, the list shows the table.
    {
        Table models;
        QVERIFY(models.open(page.files.path(tables::型号), tablePassword()));
        QVERIFY(models.removeMatching(
            tables::型号, RecordFilter::textsEqual({{fields::型号, QStringLiteral("8寸")}})));
    }
    page.dialogs.forget();
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("型号不存在，请重新选择！")});
    QCOMPARE(page.dialogs.shown().first().icon, 48);
    QCOMPARE(page.movementCount(), 0);
    QCOMPARE(allRows(page.models()), (QList<QStringList>{{"1", "10寸", "2", "把", ""}}));
}

void StockTest::deletingExactlyTheSelectedLogRows()
{
    OpenBookingPage page;
    for (int i = 1; i <= 7; ++i) {
        addMovement(page.files, QDate(2024, 5, i), QStringLiteral("五金"), QStringLiteral("扳手"),
                    i % 2 ? QStringLiteral("10寸") : QStringLiteral("8寸"), i, 0,
                    QStringLiteral("把"), QStringLiteral("第%1笔").arg(i));
    }
    auto *results = page.get<ListView>("超级列表框明细");
    clickButton(*page.window, QStringLiteral("按钮删除选中"));
    QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("请选择要删除的项目！")});
    const auto remarks = [results] {
        QStringList shown;
        for (const QStringList &row : allRows(results)) {
            shown << row[0] + row[8];
        }
        return shown;
    };

    // The 10寸 rows are records 1, 3, 5 and 7: row n of the list is not record n.
    typeInto(page.get<QLineEdit>("编辑框关键字"), QStringLiteral("10寸"));
    clickButton(*page.window, QStringLiteral("按钮模糊搜索"));
    QCOMPARE(remarks(), (QStringList{"1第1笔", "2第3笔", "3第5笔", "4第7笔"}));
    clickRow(results, 1);
    clickRow(results, 3, Qt::ControlModifier);
    QCOMPARE(results->selectedRows(), (QList<int>{1, 3}));
    page.dialogs.forget();
    clickButton(*page.window, QStringLiteral("按钮删除选中"));
    QCOMPARE(page.dialogs.texts(), QStringList());
    // The search runs again and shows what is left.
    QCOMPARE(remarks(), (QStringList{"1第1笔", "2第5笔"}));
    QCOMPARE(page.get<QLabel>("透明标签日志总数")->text(),
             QStringLiteral("当前数据库中日志记录总数为：5条"));

    // After a date search the same holds, and the date search runs again.
    page.get<QDateEdit>("日期框明细起")->setDate(QDate(2024, 5, 2));
    page.get<QDateEdit>("日期框明细止")->setDate(QDate(2024, 5, 31));
    clickButton(*page.window, QStringLiteral("按钮日期搜索"));
    QCOMPARE(remarks(), (QStringList{"1第2笔", "2第4笔", "3第5笔", "4第6笔"}));
    clickRow(results, 0);
    clickRow(results, 2, Qt::ControlModifier);
    clickButton(*page.window, QStringLiteral("按钮删除选中"));
    QCOMPARE(allRows(results),
             (QList<QStringList>{
                 {"1", "2024年5月4日", "五金", "扳手", "8寸", "4", "0", "把", "第4笔"},
                 {"2", "2024年5月6日", "五金", "扳手", "8寸", "6", "0", "把", "第6笔"}}));
    QCOMPARE(page.movementCount(), 3);

    // A row changed since the list showed it (another copy, say) stays, and
    // the owner is told so.
    clickRow(results, 0);
    clickRow(results, 1, Qt::ControlModifier);
    {
        Table log;
        QVERIFY(log.open(page.files.path(tables::明细), tablePassword()));
        QVERIFY(log.findTexts({{fields::备注, QStringLiteral("第6笔")}}));
        QVariantList remarkOnly(7);
        QVERIFY(log.modify(remarkOnly << QStringLiteral("改过")));
    }
    page.dialogs.forget();
    clickButton(*page.window, QStringLiteral("按钮删除选中"));
    QCOMPARE(
        page.dialogs.texts(),
        QStringList{QStringLiteral("选中的记录中有 1 条已被修改或删除，未予删除；列表已刷新。")});
    QCOMPARE(remarks(), QStringList{"1改过"});
}

QTEST_MAIN(StockTest)
#include "tst_stock.moc"
