#include "app/history/LedgerWindow.h"
#include "app/stocktake/StocktakeWindow.h"
#include "book/forms/PrintTable.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class HistoryViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void theLedgerOpensFromTheModelListsAndFollowsBookings();
    void stockOnADayFollowsBookings();
    void aCountIsTypedDownTheSheetAndBooked();
};

namespace {

const QDate today = QDate::currentDate();
const QString hardware = QStringLiteral("五金");
const QString spanner = QStringLiteral("扳手");

// The small shop with a history for 扳手/8寸 (stock 10 now): +6 a year ago,
// -2 a month ago, and +3 of 10寸 today.
struct Shop : ShopWindow
{
    Shop()
    {
        addSmallShop(files);
        const auto move = [this](const QDate &day, const char *model, double in, double out) {
            addMovement(files, day, hardware, spanner, QString::fromUtf8(model), in, out,
                        QStringLiteral("把"), QStringLiteral("备注"));
        };
        move(today.addYears(-1), "8寸", 6, 0);
        move(today.addMonths(-1), "8寸", 0, 2);
        move(today, "10寸", 3, 0);
        start();
    }
    LedgerWindow *ledger() const { return get<LedgerWindow>("窗口台账"); }
    ListView *ledgerList() const { return control<ListView>(*ledger(), "超级列表框台账"); }
    QString opening() const { return control<QLabel>(*ledger(), "标签台账期初")->text(); }
    void bookIn(const QString &quantity) const
    {
        clickRow(get<ListView>("超级列表框进销"), 0);
        typeInto(get<QLineEdit>("编辑框入库"), quantity);
        clickButton(*window, QStringLiteral("按钮入库"));
    }
    void showReports(int tab) const
    {
        get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
        get<QTabWidget>("报表选择夹")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }
};

QString day(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

void doubleClickRow(ListView *list, int row)
{
    clickRow(list, row);
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

void HistoryViewsTest::theLedgerOpensFromTheModelListsAndFollowsBookings()
{
    Shop shop;
    clickButton(*shop.window, QStringLiteral("按钮台账"));
    QCOMPARE(shop.dialogs.shown().size(), 1);
    QCOMPARE(shop.dialogs.shown().first().text, QStringLiteral("请选择要查看台账的型号！"));
    QCOMPARE(shop.dialogs.shown().first().icon, Dialogs::Warning);
    QVERIFY(!shop.ledger()->isVisible());

    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    clickRow(shop.get<ListView>("超级列表框进销"), 0);
    clickButton(*shop.window, QStringLiteral("按钮台账"));
    QVERIFY(shop.ledger()->isVisible());
    QCOMPARE(shop.ledger()->windowTitle(), QStringLiteral("型号台账 — 五金 / 扳手 / 8寸"));
    QCOMPARE(control<QLabel>(*shop.ledger(), "标签台账型号")->text(),
             QStringLiteral("型号：五金 / 扳手 / 8寸　单位：把"));
    const QList<QStringList> history{{"1", day(today.addYears(-1)), "6", "0", "12", "备注"},
                                     {"2", day(today.addMonths(-1)), "0", "2", "10", "备注"}};
    QCOMPARE(allRows(shop.ledgerList()), history);
    QCOMPARE(shop.opening(), QStringLiteral("期初：6"));

    // A booking while it is open shows at once, ending on the stock now.
    shop.window->activateWindow();
    shop.bookIn(QStringLiteral("5"));
    const QList<QStringList> booked{{"3", day(today), "5", "0", "15", ""}};
    QCOMPARE(allRows(shop.ledgerList()), history + booked);

    // No button is the default, in this window or the count's: Enter in a
    // date box applies the date typed, and never exports.
    const QList<QPushButton *> buttons =
        shop.ledger()->findChildren<QPushButton *>() +
        shop.get<QWidget>("窗口盘点")->findChildren<QPushButton *>();
    QVERIFY(std::none_of(buttons.cbegin(), buttons.cend(),
                         [](const QPushButton *button) { return button->autoDefault(); }));
    auto *from = control<QDateEdit>(*shop.ledger(), "日期框台账起");
    from->setFocus();
    from->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(from, QString::number(today.year() + 1));
    QCOMPARE(shop.ledgerList()->rowCount(), 3);
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(shop.ledgerList()->rowCount(), 0);
    QCOMPARE(shop.opening(), QStringLiteral("起始日期晚于截止日期，请重新选择！"));
    QVERIFY(!QFile::exists(QDir(shop.files.programDir()).filePath(QStringLiteral("岚栖库存.xls"))));

    // A narrower range keeps the balances of the whole history.
    from->setDate(today.addDays(-40));
    QCOMPARE(shop.ledgerList()->rowCount(), 2);
    QCOMPARE(rowTexts(shop.ledgerList(), 0),
             (QStringList{"1", day(today.addMonths(-1)), "0", "2", "10", "备注"}));
    QCOMPARE(shop.opening(), QStringLiteral("期初：12"));

    // 另存为… saves the ledger as it is shown.
    const QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("台账.csv"));
    shop.dialogs.answerSaveFile(Dialogs::SaveChoice{csv, 1});
    clickButton(*shop.ledger(), QStringLiteral("按钮另存台账"));
    QCOMPARE(QFileInfo(shop.dialogs.shown().last().initialText).fileName(),
             QStringLiteral("台账-8寸-%1-%2.xlsx")
                 .arg(today.addDays(-40).toString(Qt::ISODate), today.toString(Qt::ISODate)));
    QFile saved(csv);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()).split(QStringLiteral("\r\n")).mid(0, 2),
             (QStringList{QStringLiteral("序号,日期,入库,出库,结存,备注"),
                          QStringLiteral("1,%1,0,2,10,备注").arg(day(today.addMonths(-1)))}));

    QTest::keyClick(shop.ledger(), Qt::Key_Escape);
    QVERIFY(!shop.ledger()->isVisible());

    // A double-click on the whole-stock list opens the ledger of that row.
    shop.showReports(0);
    doubleClickRow(shop.get<ListView>("超级列表框总库存"), 1);
    QVERIFY(shop.ledger()->isVisible());
    QCOMPARE(shop.ledger()->windowTitle(), QStringLiteral("型号台账 — 五金 / 扳手 / 10寸"));
    QCOMPARE(allRows(shop.ledgerList()),
             (QList<QStringList>{{"1", day(today), "3", "0", "2", "备注"}}));
    QCOMPARE(shop.dialogs.texts(), (QStringList{"请选择要查看台账的型号！", "另存为"}));
}

void HistoryViewsTest::stockOnADayFollowsBookings()
{
    Shop shop;
    shop.showReports(3);
    auto *day = shop.get<QDateEdit>("日期框期末");
    QCOMPARE(day->date(), QDate(today.year() - 1, 12, 31));
    auto *list = shop.get<ListView>("超级列表框期末库存");
    auto *total = shop.get<QLabel>("标签合计期末库存");

    day->setDate(today.addDays(-1));
    const QList<QStringList> yesterday{{"1", "五金", "扳手", "8寸", "10", "把", "常用"},
                                       {"2", "五金", "扳手", "10寸", "-1", "把", ""},
                                       {"3", "五金", "钳子", "8寸", "5", "把", "尖嘴"},
                                       {"4", "电工", "电线", "2.5平方", "2.5", "卷", "红色"},
                                       {"5", "电工", "电线", "4平方", "2.5", "卷", ""}};
    QCOMPARE(allRows(list), yesterday);
    QCOMPARE(total->text(), QStringLiteral("19"));

    // A booking today leaves yesterday's stock; the whole stock, sorted by
    // 库存, follows it and returns to table order as a rebuild does.
    shop.showReports(0);
    QHeaderView *header = shop.get<ListView>("超级列表框总库存")->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(4) + 5, header->height() / 2});
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    shop.bookIn(QStringLiteral("5"));
    shop.showReports(0);
    QCOMPARE(rowTexts(shop.get<ListView>("超级列表框总库存"), 0),
             (QStringList{"1", "五金", "扳手", "8寸", "15", "把", "常用"}));
    QCOMPARE(shop.get<QLabel>("标签合计库存")->text(), QStringLiteral("27"));
    shop.showReports(3);
    QCOMPARE(allRows(list), yesterday);

    day->setDate(today);
    QCOMPARE(rowTexts(list, 0), (QStringList{"1", "五金", "扳手", "8寸", "15", "把", "常用"}));
    QCOMPARE(total->text(), QStringLiteral("27"));
    QVERIFY(shop.dialogs.shown().isEmpty());
}

void HistoryViewsTest::aCountIsTypedDownTheSheetAndBooked()
{
    Shop shop;
    clickButton(*shop.window, QStringLiteral("按钮盘点"));
    auto *sheet = shop.get<StocktakeWindow>("窗口盘点");
    QVERIFY(sheet->isVisible());
    ListView *list = control<ListView>(*sheet, "超级列表框盘点");
    QCOMPARE(rowTexts(list, 1), (QStringList{"2", "五金", "扳手", "10寸", "2", "", "", "把"}));

    // Typed down the 实盘 column with the keyboard alone.
    list->setCurrentIndex(list->model()->index(0, 0));
    // The first key on the row starts the entry; after Enter the next row's
    // entry is open already.
    const auto openEntry = [list] {
        for (QLineEdit *entry : list->viewport()->findChildren<QLineEdit *>()) {
            if (entry->isVisible()) {
                return entry;
            }
        }
        return static_cast<QLineEdit *>(nullptr);
    };
    const auto type = [list, &openEntry](const QString &keys) {
        QString rest = keys;
        if (!openEntry()) {
            QTest::keyClicks(list, rest.left(1));
            rest.remove(0, 1);
        }
        QLineEdit *entry = openEntry();
        QVERIFY(entry);
        QTest::keyClicks(entry, rest);
        QTest::keyClick(entry, Qt::Key_Return);
    };
    type(QStringLiteral("12"));
    type(QStringLiteral("0"));
    // A count refused stays on its row, as typed, to be corrected.
    type(QStringLiteral("3.5"));
    QCOMPARE(shop.dialogs.texts(), QStringList{"实盘数量须为整数！"});
    QCOMPARE(list->currentIndex().row(), 2);
    QCOMPARE(openEntry()->text(), QStringLiteral("3.5"));
    type(QStringLiteral("5"));
    type(QStringLiteral("2.5"));
    type(QStringLiteral("6901234567892"));
    QCOMPARE(shop.dialogs.texts().last(), QStringLiteral("实盘数量超出单次入账的范围，请核实！"));
    QTest::keyClick(openEntry(), Qt::Key_Escape);
    const QList<QStringList> counted{{"1", "五金", "扳手", "8寸", "10", "12", "+2", "把"},
                                     {"2", "五金", "扳手", "10寸", "2", "0", "-2", "把"},
                                     {"3", "五金", "钳子", "8寸", "5", "5", "0", "把"},
                                     {"4", "电工", "电线", "2.5平方", "2.5", "2.5", "0", "卷"},
                                     {"5", "电工", "电线", "4平方", "2.5", "", "", "卷"}};
    QCOMPARE(allRows(list), counted);
    clickButton(*sheet, QStringLiteral("按钮只看差异"));
    QCOMPARE(allRows(list), counted.mid(0, 2));
    clickButton(*sheet, QStringLiteral("按钮只看差异"));
    QCOMPARE(allRows(list), counted);

    // The printed sheet of every category leaves 实盘 to the pen, on rows
    // tall enough to write in, with a line for who counted.
    QList<PrintTable> shown;
    shop.get<FormPreview>("表格1")->setOpener([&shown](const PrintTable &form) { shown << form; });
    clickButton(*sheet, QStringLiteral("按钮打印盘点表"));
    QCOMPARE(shown.size(), 1);
    const PrintTable &printed = shown.first();
    QCOMPARE(printed.cell(1, 1).text, QStringLiteral("盘点表 全部 ") + today.toString(Qt::ISODate));
    QStringList firstRow;
    for (int column = 1; column <= 7; ++column) {
        firstRow << printed.cell(4, column).text;
    }
    QCOMPARE(firstRow, (QStringList{"1", "五金", "扳手", "8寸", "10", "把", ""}));
    QVERIFY(printed.rowHeight(4) >= 80);
    QCOMPARE(printed.cell(9, 1).text, QStringLiteral("盘点人："));

    // Closed by mistake, and 8寸 booked in since: opened again, its count
    // waits for the owner, and only the other is booked.
    QTest::keyClick(sheet, Qt::Key_Escape);
    QVERIFY(!sheet->isVisible());
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    shop.bookIn(QStringLiteral("5"));
    clickButton(*shop.window, QStringLiteral("按钮盘点"));
    QCOMPARE(rowTexts(list, 0),
             (QStringList{"1", "五金", "扳手", "8寸", "15", "12", "账面已变", "把"}));
    QCOMPARE(rowTexts(list, 1), counted[1]);

    shop.dialogs.forget();
    clickButton(*sheet, QStringLiteral("按钮盘点入账"));
    QCOMPARE(shop.dialogs.texts(),
             (QStringList{"将按盘点结果入账：盘盈 0 项，盘亏 1 项。另有 1 项的账面已变，"
                          "须重新录入实盘或确认，本次不入账。确定吗？",
                          "盘点入账完成！"}));
    QCOMPARE(shop.dialogs.shown().at(0).icon, Dialogs::Question);
    QCOMPARE(shop.dialogs.shown().at(1).icon, Dialogs::Information);
    QCOMPARE(rowTexts(list, 1), (QStringList{"2", "五金", "扳手", "10寸", "0", "", "", "把"}));
    ListView *dayLog = shop.get<ListView>("超级列表框日志");
    QCOMPARE(rowTexts(dayLog, dayLog->rowCount() - 1).mid(3),
             (QStringList{"10寸", "0", "2", "把", "盘点"}));

    // Enter on the waiting count confirms it against the 账面 now.
    list->setCurrentIndex(list->model()->index(0, StocktakeWindow::CountColumn));
    QTest::keyClick(list, Qt::Key_F2);
    QTest::keyClick(openEntry(), Qt::Key_Return);
    QCOMPARE(rowTexts(list, 0), (QStringList{"1", "五金", "扳手", "8寸", "15", "12", "-3", "把"}));
}

QTEST_MAIN(HistoryViewsTest)
#include "tst_historyviews.moc"
