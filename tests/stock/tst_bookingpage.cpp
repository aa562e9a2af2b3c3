#include "book/codes/Barcodes.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

// The booking page as a shop owner works it: with the keyboard, with filters,
// hidden categories and long lists.
class BookingPageTest : public QObject
{
    Q_OBJECT

private slots:
    void bookingWithTheKeyboardAlone();
    void bookingWithAPriceByKeyboard();
    void aScanChoosesTheModelAndEnterBooksOne();
    void filteredAndLongListsKeepTheRightModel();
    void hidingTheCategoryInUseClearsItsModels();
    void onlyANumberIsAQuantity();
    void calendarArrowsChangeTheReportMonth();
};

namespace {

struct Page
{
    TestTables files;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    explicit Page(int extraSpanners = 0)
    {
        addSmallShop(files);
        for (int i = 0; i < extraSpanners; ++i) {
            files.add(tables::型号, {QStringLiteral("五金"), QStringLiteral("扳手"),
                                     QStringLiteral("规格%1").arg(i), QStringLiteral("把"), 1.0});
        }
        window = startMainWindow(dialogs, files.folders());
        showWindow(*window);
    }
    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
    ListView *models() const { return get<ListView>("超级列表框进销"); }
    double stock(const QString &model) const
    {
        Table table;
        table.open(files.path(tables::型号), tablePassword());
        table.findTexts({{fields::名称, QStringLiteral("扳手")}, {fields::型号, model}});
        return table.number(fields::库存);
    }
};

} // namespace

void BookingPageTest::bookingWithTheKeyboardAlone()
{
    Page page;
    page.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page.window.get()));
    int keys = 0;
    const auto press = [&keys](Qt::Key key) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key);
        ++keys;
    };
    // The first category, its first item, its first model, a quantity, and book.
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QCOMPARE(page.get<QLabel>("标签进销名称")->text(), QStringLiteral("扳手"));
    QCOMPARE(QApplication::focusWidget(), page.models());
    press(Qt::Key_Return);
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), QStringLiteral("8寸"));
    QCOMPARE(QApplication::focusWidget(), page.get<QLineEdit>("编辑框入库"));
    press(Qt::Key_5);
    press(Qt::Key_Return);
    QCOMPARE(page.dialogs.texts(), QStringList());
    QCOMPARE(page.stock(QStringLiteral("8寸")), 15.0);
    QCOMPARE(keys, 6);

    // Tab goes on from the model list through each step of a booking.
    page.models()->setFocus();
    QStringList order;
    for (int step = 0; step < 7; ++step) {
        press(Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"编辑框入库", "编辑框入库单价", "按钮入库", "编辑框出库",
                                 "编辑框出库单价", "按钮出库", "编辑框明细备注"}));
}

void BookingPageTest::bookingWithAPriceByKeyboard()
{
    Page page;
    page.files.add(tables::型号资料, {"五金", "扳手", "8寸", QVariant(), 3.0, 4.5});
    page.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    clickRow(page.models(), 0);
    auto *price = page.get<QLineEdit>("编辑框入库单价");
    QCOMPARE(price->text(), "3.00");
    QCOMPARE(page.get<QLineEdit>("编辑框出库单价")->text(), "4.50");
    auto *quantity = page.get<QLineEdit>("编辑框入库");
    quantity->setFocus();
    pressKeys(quantity, "4", 100);
    QCOMPARE(page.get<QLabel>("标签入库金额")->text(), "金额：12.00");
    QTest::keyClick(quantity, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), price);
    price->selectAll();
    pressKeys(price, "2.345", 100);
    QCOMPARE(page.get<QLabel>("标签入库金额")->text(), "金额：9.38");
    pressKeys(price, "x", 100);
    QCOMPARE(page.get<QLabel>("标签入库金额")->text(), "");
    QTest::keyClick(price, Qt::Key_Return);
    QCOMPARE(page.dialogs.texts(), QStringList{"单价须为不小于0的数字！"});
    QCOMPARE(page.stock("8寸"), 10.0);
    // The refused price is selected: typed again, Enter books with it.
    pressKeys(price, "2.345", 100);
    QTest::keyClick(quantity, Qt::Key_Return);
    QCOMPARE(page.stock("8寸"), 14.0);
    Table money;
    QVERIFY(money.open(page.files.path(tables::明细金额), tablePassword()));
    QCOMPARE(money.number(fields::单价), 2.345);
    QCOMPARE(money.number(fields::成本价), 2.345);
}

void BookingPageTest::aScanChoosesTheModelAndEnterBooksOne()
{
    Page page;
    page.files.add(tables::型号资料, {"五金", "扳手", "10寸", "6901234567892"});
    // Scanned with the focus in 备注: the code is not typed there.
    auto *remark = page.get<QLineEdit>("编辑框明细备注");
    scanCode(remark, "6901234567892");
    QCOMPARE(page.get<QLabel>("标签进销名称")->text(), "扳手");
    QCOMPARE(page.models()->selectedRow(), 1);
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), "10寸");
    QCOMPARE(remark->text(), "");
    auto *in = page.get<QLineEdit>("编辑框入库");
    QVERIFY(in->hasFocus());
    QCOMPARE(in->selectedText(), "1");
    pressKeys(in, "\n", 100);
    QCOMPARE(page.stock("10寸"), 3.0);

    // The 1 goes where a quantity was typed last; the Enter of a scan books nothing.
    auto *out = page.get<QLineEdit>("编辑框出库");
    clickRow(page.models(), 0);
    pressKeys(out, "2", 100);
    scanCode(out, "6901234567892");
    QCOMPARE(out->text(), "1");
    QCOMPARE(page.models()->selectedRow(), 1);
    QCOMPARE(page.stock("10寸"), 3.0);
    QCOMPARE(page.dialogs.texts(), QStringList());

    // A code no model bears goes to the selected model once the owner agrees.
    scanCode(page.models(), "A-100");
    QCOMPARE(page.dialogs.texts(),
             (QStringList{"未找到条码：A-100", "将“A-100”设为所选型号“五金/扳手/10寸”的条码吗？"}));
    QCOMPARE(page.dialogs.shown().at(0).icon, Dialogs::Warning);
    QCOMPARE(page.dialogs.shown().at(1).icon, Dialogs::Question);
    QVERIFY(findModelByBarcode(page.files.folders(), "A-100") ==
            std::optional(ModelKey{"五金", "扳手", "10寸"}));

    // A code typed by hand takes the same way.
    clickRow(page.models(), 0);
    auto *lookUp = page.get<QLineEdit>("编辑框条码查找");
    typeInto(lookUp, "A-100");
    pressKeys(lookUp, "\n", 100);
    QCOMPARE(page.models()->selectedRow(), 1);
    QCOMPARE(lookUp->text(), "");
}

void BookingPageTest::filteredAndLongListsKeepTheRightModel()
{
    Page page(40);
    page.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    ListView *models = page.models();
    // A filter keeps the selected model selected, and a booking books it.
    clickRow(models, 2);
    QCOMPARE(page.get<QLabel>("标签进销型号")->text(), QStringLiteral("规格0"));
    typeInto(page.get<QLineEdit>("编辑框_关键字"), QStringLiteral("规格"));
    clickButton(*page.window, QStringLiteral("按钮5"));
    QCOMPARE(models->rowCount(), 40);
    QCOMPARE(models->selectedRows(), QList<int>{0});
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("2"));
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.dialogs.texts(), QStringList());
    QCOMPARE(page.stock(QStringLiteral("规格0")), 3.0);
    // The reloaded list is filtered again.
    QCOMPARE(models->rowCount(), 40);

    // After a booking far down the list, the booked model is the current row,
    // in view and not selected.
    clickRow(models, 35);
    typeInto(page.get<QLineEdit>("编辑框入库"), QStringLiteral("1"));
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.stock(QStringLiteral("规格35")), 2.0);
    QCOMPARE(models->currentIndex().row(), 35);
    QVERIFY(models->selectedRows().isEmpty());
    QVERIFY(models->viewport()->rect().contains(models->visualRect(models->model()->index(35, 1))));
}

void BookingPageTest::hidingTheCategoryInUseClearsItsModels()
{
    Page page;
    auto *menu = page.get<RollUpMenu>("卷帘式菜单1");
    menu->chooseItem(0, 0);
    QCOMPARE(page.models()->rowCount(), 2);
    // Another category out of sight changes nothing here.
    menu->rightClickGroup(1);
    QCOMPARE(page.models()->rowCount(), 2);
    menu->showGroup(1);
    menu->rightClickGroup(0);
    QCOMPARE(page.models()->rowCount(), 0);
    QCOMPARE(page.get<QLabel>("标签进销名称")->text(), QString());
}

void BookingPageTest::onlyANumberIsAQuantity()
{
    Page page;
    page.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    auto *quantity = page.get<QLineEdit>("编辑框入库");
    for (const char *typed : {"1,000", "1 000", "5箱", "+3", ".5"}) {
        clickRow(page.models(), 0);
        page.dialogs.forget();
        typeInto(quantity, QString::fromUtf8(typed));
        clickButton(*page.window, QStringLiteral("按钮入库"));
        QCOMPARE(page.dialogs.texts(), QStringList{QStringLiteral("请输入有效的数量！")});
        QCOMPARE(page.dialogs.shown().first().icon, 48);
        // The next keystrokes replace what was typed.
        QCOMPARE(quantity->selectedText(), QString::fromUtf8(typed));
    }
    QCOMPARE(page.stock(QStringLiteral("8寸")), 10.0);
    // A fraction is still cut.
    typeInto(quantity, QStringLiteral("3.9"));
    clickButton(*page.window, QStringLiteral("按钮入库"));
    QCOMPARE(page.stock(QStringLiteral("8寸")), 13.0);
}

void BookingPageTest::calendarArrowsChangeTheReportMonth()
{
    Page page;
    auto *calendar = page.get<QCalendarWidget>("月历1");
    auto *month = page.get<ListView>("超级列表框月库存");
    QCOMPARE(month->rowCount(), 5);
    page.files.add(tables::型号, {QStringLiteral("电工"), QStringLiteral("电线"),
                                  QStringLiteral("6平方"), QStringLiteral("卷"), 3.0});
    calendar->setSelectedDate(QDate(2024, 1, 31));
    QCOMPARE(month->rowCount(), 6);
    page.files.add(tables::型号, {QStringLiteral("电工"), QStringLiteral("电线"),
                                  QStringLiteral("10平方"), QStringLiteral("卷"), 1.0});
    calendar->showNextMonth();
    QCOMPARE(calendar->selectedDate(), QDate(2024, 2, 29));
    QCOMPARE(month->rowCount(), 7);
}

QTEST_MAIN(BookingPageTest)
#include "tst_bookingpage.moc"
