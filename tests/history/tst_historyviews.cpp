#include "app/history/LedgerWindow.h"
#include "helpers/HistoryShop.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
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
};

namespace {

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
    HistoryShop shop;
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
    const QList<QStringList> history{
        {"1", day(today.addYears(-1)), "6", "0", "12", "", "", "", "备注"},
        {"2", day(today.addMonths(-1)), "0", "2", "10", "", "", "", "备注"}};
    QCOMPARE(allRows(shop.ledgerList()), history);
    QCOMPARE(shop.opening(), QStringLiteral("期初：6（含 2 笔无金额记录，按当前成本价）"));

    // A booking while it is open shows at once, ending on the stock now.
    shop.window->activateWindow();
    shop.bookIn(QStringLiteral("5"));
    const QList<QStringList> booked{{"3", day(today), "5", "0", "15", "", "", "", ""}};
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
             (QStringList{"1", day(today.addMonths(-1)), "0", "2", "10", "", "", "", "备注"}));
    QCOMPARE(shop.opening(), QStringLiteral("期初：12（含 1 笔无金额记录，按当前成本价）"));

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
             (QStringList{QStringLiteral("序号,日期,入库,出库,结存,单价,金额,结存金额,备注"),
                          QStringLiteral("1,%1,0,2,10,,,,备注").arg(day(today.addMonths(-1)))}));

    QTest::keyClick(shop.ledger(), Qt::Key_Escape);
    QVERIFY(!shop.ledger()->isVisible());

    // A double-click on the whole-stock list opens the ledger of that row.
    shop.showReports(0);
    doubleClickRow(shop.get<ListView>("超级列表框总库存"), 1);
    QVERIFY(shop.ledger()->isVisible());
    QCOMPARE(shop.ledger()->windowTitle(), QStringLiteral("型号台账 — 五金 / 扳手 / 10寸"));
    QCOMPARE(allRows(shop.ledgerList()),
             (QList<QStringList>{{"1", day(today), "3", "0", "2", "", "", "", "备注"}}));
    QCOMPARE(shop.dialogs.texts(), (QStringList{"请选择要查看台账的型号！", "另存为"}));
}

void HistoryViewsTest::stockOnADayFollowsBookings()
{
    HistoryShop shop;
    shop.showReports(3);
    auto *day = shop.get<QDateEdit>("日期框期末");
    QCOMPARE(day->date(), QDate(today.year() - 1, 12, 31));
    auto *list = shop.get<ListView>("超级列表框期末库存");
    auto *total = shop.get<QLabel>("标签合计期末库存");

    day->setDate(today.addDays(-1));
    const QList<QStringList> yesterday{
        {"1", "五金", "扳手", "8寸", "10", "把", "", "", "常用"},
        {"2", "五金", "扳手", "10寸", "-1", "把", "", "", ""},
        {"3", "五金", "钳子", "8寸", "5", "把", "", "", "尖嘴"},
        {"4", "电工", "电线", "2.5平方", "2.5", "卷", "", "", "红色"},
        {"5", "电工", "电线", "4平方", "2.5", "卷", "", "", ""}};
    QCOMPARE(allRows(list), yesterday);
    QCOMPARE(total->text(), QStringLiteral("19　期末金额 0.00（含 5 个型号无成本价，按 0 计）"));

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
    QCOMPARE(rowTexts(list, 0),
             (QStringList{"1", "五金", "扳手", "8寸", "15", "把", "", "", "常用"}));
    QCOMPARE(total->text(), QStringLiteral("27　期末金额 0.00（含 5 个型号无成本价，按 0 计）"));
    QVERIFY(shop.dialogs.shown().isEmpty());
}

QTEST_MAIN(HistoryViewsTest)
#include "tst_historyviews.moc"
