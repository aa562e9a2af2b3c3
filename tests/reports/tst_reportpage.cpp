#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "helpers/XlsxFile.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

class ReportPageTest : public QObject
{
    Q_OBJECT

private slots:
    void categorySelectorsNarrowTheList();
    void reportsFollowABooking();
    void headerClicksSortAndKeepTheSelection_data();
    void headerClicksSortAndKeepTheSelection();
    void exportWritesTheListAsShown();
    void saveAsWritesTheChosenFile();
    void moneyTabsShowValueAndProfit();
    void reorderTabFollowsTheMinimums();
};

namespace {

struct Shop : ShopWindow
{
    void showPage(int page) const
    {
        get<QTabWidget>("高级选择夹1")->setCurrentIndex(page);
        QCoreApplication::processEvents();
    }
    // A tab of the report page: 0 总库存, 1 类库存, 2 月库存.
    void showReport(int tab) const
    {
        get<QTabWidget>("报表选择夹")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }
    // A choice in a drop-down, as a user makes it.
    void choose(const char *selector, const QString &text) const
    {
        auto *combo = get<QComboBox>(selector);
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

QStringList choices(const QComboBox *combo)
{
    QStringList texts;
    for (int index = 0; index < combo->count(); ++index) {
        texts << combo->itemText(index);
    }
    return texts;
}

void clickHeader(ListView *list, int column)
{
    QHeaderView *header = list->horizontalHeader();
    const QPoint inSection(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inSection);
}

} // namespace

void ReportPageTest::categorySelectorsNarrowTheList()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.start();
    shop.showPage(2);
    auto *list = shop.get<ListView>("超级列表框类库存");
    auto *total = shop.get<QLabel>("标签合计库存2");
    auto *items = shop.get<QComboBox>("组合框2");
    auto *models = shop.get<QComboBox>("组合框3");
    QCOMPARE(choices(shop.get<QComboBox>("组合框1")), (QStringList{"五金", "电工"}));
    QCOMPARE(shop.get<QComboBox>("组合框1")->currentIndex(), -1);
    QCOMPARE(list->rowCount(), 0);

    shop.choose("组合框1", QStringLiteral("五金"));
    QCOMPARE(allRows(list), (QList<QStringList>{{"1", "五金", "扳手", "8寸", "10", "把", "常用"},
                                                {"2", "五金", "扳手", "10寸", "2", "把", ""},
                                                {"3", "五金", "钳子", "8寸", "5", "把", "尖嘴"}}));
    QCOMPARE(total->text(), QStringLiteral("17"));
    QCOMPARE(choices(items), (QStringList{"扳手", "钳子"}));
    QCOMPARE(items->currentIndex(), -1);
    QCOMPARE(models->count(), 0);

    shop.choose("组合框2", QStringLiteral("扳手"));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(choices(models), (QStringList{"8寸", "10寸"}));
    shop.choose("组合框3", QStringLiteral("10寸"));
    QCOMPARE(allRows(list), (QList<QStringList>{{"1", "五金", "扳手", "10寸", "2", "把", ""}}));
    QCOMPARE(total->text(), QStringLiteral("2"));
    QCOMPARE(choices(models), (QStringList{"8寸", "10寸"}));

    // Another category starts over; fractions add up truly.
    shop.choose("组合框1", QStringLiteral("电工"));
    QCOMPARE(total->text(), QStringLiteral("5"));
    QCOMPARE(choices(items), (QStringList{"电线"}));
    QCOMPARE(models->count(), 0);

    shop.files.removeFile(tables::型号);
    shop.choose("组合框2", QStringLiteral("电线"));
    QCOMPARE(shop.dialogs.texts(), QStringList{"数据库打开失败或丢失！"});
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(total->text(), QStringLiteral("0"));
}

void ReportPageTest::reportsFollowABooking()
{
    Shop shop;
    addSmallShop(shop.files);
    const QDate today = QDate::currentDate();
    addMovement(shop.files, today.addMonths(-1), QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("8寸"), 4, 0, QStringLiteral("把"), {});
    addMovement(shop.files, today, QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("10寸"), 0, 2, QStringLiteral("把"), {});
    shop.start();
    auto *month = shop.get<ListView>("超级列表框月库存");
    QCOMPARE(rowTexts(month, 1), (QStringList{"2", "五金", "扳手", "10寸", "-2", "把", ""}));
    QCOMPARE(shop.get<QLabel>("标签合计月库存")->text(), QStringLiteral("-2"));
    shop.showPage(2);
    shop.choose("组合框1", QStringLiteral("五金"));
    shop.choose("组合框2", QStringLiteral("扳手"));

    // Book 5 of 扳手/8寸 in today on the booking page.
    shop.get<QDateEdit>("日期框进销")->setDate(today);
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    clickRow(shop.get<ListView>("超级列表框进销"), 0);
    typeInto(shop.get<QLineEdit>("编辑框入库"), QStringLiteral("5"));
    clickButton(*shop.window, QStringLiteral("按钮入库"));
    QCOMPARE(shop.dialogs.texts(), QStringList());

    // Each report follows the booking when it is shown.
    shop.showPage(2);
    QCOMPARE(rowTexts(shop.get<ListView>("超级列表框总库存"), 0),
             (QStringList{"1", "五金", "扳手", "8寸", "15", "把", "常用"}));
    shop.showReport(1);
    QCOMPARE(rowTexts(shop.get<ListView>("超级列表框类库存"), 0),
             (QStringList{"1", "五金", "扳手", "8寸", "15", "把", "常用"}));
    QCOMPARE(shop.get<QComboBox>("组合框2")->currentText(), QStringLiteral("扳手"));
    QCOMPARE(choices(shop.get<QComboBox>("组合框3")), (QStringList{"8寸", "10寸"}));
    shop.showReport(2);
    QCOMPARE(rowTexts(month, 0), (QStringList{"1", "五金", "扳手", "8寸", "5", "把", "常用"}));
    QCOMPARE(shop.get<QLabel>("标签合计月库存")->text(), QStringLiteral("3"));

    // An item deleted elsewhere leaves the category report's choices.
    shop.get<RollUpMenu>("卷帘式菜单2")->chooseItem(0, 0);
    clickButton(*shop.window, QStringLiteral("按钮删除名称"));
    shop.showPage(2);
    shop.showReport(1);
    QCOMPARE(choices(shop.get<QComboBox>("组合框2")), QStringList{"钳子"});
    QCOMPARE(shop.get<QComboBox>("组合框2")->currentIndex(), -1);
    QCOMPARE(allRows(shop.get<ListView>("超级列表框类库存")),
             (QList<QStringList>{{"1", "五金", "钳子", "8寸", "5", "把", "尖嘴"}}));
}

void ReportPageTest::headerClicksSortAndKeepTheSelection_data()
{
    // Each list with its third row, 钳子/8寸, selected: after a click on
    // the quantity header, on 单位 (which does not sort) and on a text
    // column. Rows read "number:名称型号". 品类 and 名称 sort by GBK (电 B5E7
    // before 五 CEE5, 扳 B0E2 before 钳 C7AF), keeping the order by quantity
    // within equal keys.
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("byQuantity");
    QTest::addColumn<int>("textColumn");
    QTest::addColumn<QStringList>("byText");
    QTest::newRow("总库存") << 0 << QStringLiteral("超级列表框总库存")
                            << QStringList{"1:扳手10寸", "2:电线2.5平方", "3:电线4平方",
                                           "4:钳子8寸", "5:扳手8寸"}
                            << 1
                            << QStringList{"1:电线2.5平方", "2:电线4平方", "3:扳手10寸",
                                           "4:钳子8寸", "5:扳手8寸"};
    // 五金 chosen in 组合框1.
    QTest::newRow("类库存") << 1 << QStringLiteral("超级列表框类库存")
                            << QStringList{"1:扳手10寸", "2:钳子8寸", "3:扳手8寸"} << 2
                            << QStringList{"1:扳手10寸", "2:扳手8寸", "3:钳子8寸"};
    // This month: 扳手/8寸 +4, 钳子/8寸 -3, the others 0.
    QTest::newRow("月库存") << 2 << QStringLiteral("超级列表框月库存")
                            << QStringList{"1:钳子8寸", "2:扳手10寸", "3:电线2.5平方",
                                           "4:电线4平方", "5:扳手8寸"}
                            << 1
                            << QStringList{"1:电线2.5平方", "2:电线4平方", "3:钳子8寸",
                                           "4:扳手10寸", "5:扳手8寸"};
}

void ReportPageTest::headerClicksSortAndKeepTheSelection()
{
    QFETCH(int, tab);
    QFETCH(QString, list);
    QFETCH(QStringList, byQuantity);
    QFETCH(int, textColumn);
    QFETCH(QStringList, byText);
    Shop shop;
    addSmallShop(shop.files);
    const QDate today = QDate::currentDate();
    addMovement(shop.files, today, QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("8寸"), 4, 0, QStringLiteral("把"), {});
    addMovement(shop.files, today, QStringLiteral("五金"), QStringLiteral("钳子"),
                QStringLiteral("8寸"), 0, 3, QStringLiteral("把"), {});
    shop.start();
    shop.showPage(2);
    shop.showReport(tab);
    if (tab == 1) {
        shop.choose("组合框1", QStringLiteral("五金"));
    }
    auto *shown = shop.get<ListView>(list.toUtf8().constData());
    const auto models = [shown] {
        QStringList rows;
        for (int row = 0; row < shown->rowCount(); ++row) {
            rows << shown->cellText(row, 0) + u':' + shown->cellText(row, 2) +
                        shown->cellText(row, 3);
        }
        return rows;
    };
    const auto selectionIsKept = [shown] {
        const QList<int> rows = shown->selectedRows();
        return rows.size() == 1 && shown->cellText(rows.first(), 2) == QStringLiteral("钳子") &&
               shown->cellText(rows.first(), 3) == QStringLiteral("8寸");
    };
    clickRow(shown, 2);
    QVERIFY(selectionIsKept());
    clickHeader(shown, 4);
    QCOMPARE(models(), byQuantity);
    QVERIFY(selectionIsKept());
    clickHeader(shown, 5);
    QCOMPARE(models(), byQuantity);
    clickHeader(shown, textColumn);
    QCOMPARE(models(), byText);
    QVERIFY(selectionIsKept());
}

void ReportPageTest::exportWritesTheListAsShown()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.files.add(tables::型号,
                   {QStringLiteral("五金"), QStringLiteral("扳手"), QStringLiteral("<12>"),
                    QStringLiteral("把"), 1.0, QStringLiteral("A&B 😀")});
    // As installed: into the documents folder, made when missing.
    const QTemporaryDir home;
    shop.exportDir = QDir(home.path()).filePath(QStringLiteral("文档"));
    shop.start();
    const QString path = QDir(shop.exportDir).filePath(QStringLiteral("岚栖库存.xls"));
    const auto exported = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QStringDecoder("GB18030").decode(file.readAll())
                                              : QString();
    };
    const QString savedTo = QStringLiteral("文件已保存到：") + path;

    clickHeader(shop.get<ListView>("超级列表框总库存"), 4);
    clickButton(*shop.window, QStringLiteral("按钮导出总库存"));
    QCOMPARE(shop.dialogs.shown().last().text, savedTo);
    QCOMPARE(shop.dialogs.shown().last().icon, 64);
    QString file = exported();
    QVERIFY(file.contains(QStringLiteral(">岚栖库存管理—总库存</th>\r\n")));
    QVERIFY(file.contains(QStringLiteral("  <tr>\r\n    <td>1</td>\r\n    <td>五金</td>\r\n"
                                         "    <td>扳手</td>\r\n    <td>&lt;12&gt;</td>\r\n"
                                         "    <td>1</td>\r\n    <td>把</td>\r\n"
                                         "    <td>A&amp;B 😀</td>\r\n  </tr>\r\n")));
    QCOMPARE(file.count(QStringLiteral("<tr>")), 1 + 1 + 6);

    // Each export replaces the file.
    shop.choose("组合框1", QStringLiteral("电工"));
    clickButton(*shop.window, QStringLiteral("按钮导出类库存"));
    file = exported();
    QVERIFY(file.contains(QStringLiteral(">岚栖库存管理—类库存</th>")));
    QCOMPARE(file.count(QStringLiteral("<tr>")), 1 + 1 + 2);
    clickButton(*shop.window, QStringLiteral("按钮导出月库存"));
    QVERIFY(exported().contains(QStringLiteral(">岚栖库存管理—月库存</th>")));
    QCOMPARE(shop.dialogs.texts(), QStringList(3, savedTo));

    // A file that cannot be written is never reported as saved.
    QFile::remove(path);
    QVERIFY(QDir().mkdir(path));
    shop.dialogs.forget();
    clickButton(*shop.window, QStringLiteral("按钮导出月库存"));
    QCOMPARE(shop.dialogs.texts(), QStringList{QStringLiteral("文件保存失败：") + path});
    QCOMPARE(shop.dialogs.shown().last().icon, 16);
}

void ReportPageTest::saveAsWritesTheChosenFile()
{
    Shop shop;
    addSmallShop(shop.files);
    shop.start();
    const QTemporaryDir folder;
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const auto saveAs = [&shop](const QString &button, const QString &path, int type) {
        shop.dialogs.forget();
        shop.dialogs.answerSaveFile(Dialogs::SaveChoice{path, type});
        clickButton(*shop.window, button);
        return shop.dialogs.shown().first();
    };

    // The first save starts in the documents folder with a workbook.
    const QString workbook = folder.filePath("总库存.xlsx");
    const ShownBox dialog = saveAs("按钮另存总库存", workbook, 0);
    QCOMPARE(dialog.text, "另存为");
    QCOMPARE(dialog.initialText,
             QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                 .filePath("总库存-" + today + ".xlsx"));
    QCOMPARE(dialog.types,
             (QStringList{"Excel 工作簿 (*.xlsx)", "CSV UTF-8 (*.csv)", "网页表格 (*.xls)"}));
    QCOMPARE(shop.dialogs.shown().size(), 1);
    const QMap<QString, XlsxCell> cells = xlsxCells(workbook);
    QCOMPARE(cells["A1"].text, "岚栖库存管理—总库存");
    QCOMPARE(cells["D7"].text, "4平方");
    QCOMPARE(cells["E7"].text, "2.5");
    QCOMPARE(cells["E8"].formula, "SUM(E3:E7)");
    QVERIFY(zipEntry(workbook, "xl/workbook.xml").contains("<sheet name=\"总库存\""));

    // Then in the folder last saved to; the type chosen goes for a name
    // without an ending.
    shop.choose("组合框1", QStringLiteral("电工"));
    const QString csv = folder.filePath("类库存");
    QCOMPARE(saveAs("按钮另存类库存", csv, 1).initialText,
             folder.filePath("类库存-" + today + ".xlsx"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xef\xbb\xbf序号,品类,名称,型号,库存,单位,备注\r\n"
                                        "1,电工,电线,2.5平方,2.5,卷,红色\r\n"
                                        "2,电工,电线,4平方,2.5,卷,\r\n"));

    // An .xls name is the web table of 导出表格, byte for byte.
    const QString table = folder.filePath("月库存.xls");
    QCOMPARE(saveAs("按钮另存月库存", table, 0).initialText,
             folder.filePath("月库存-" + today.left(7) + ".xlsx"));
    clickButton(*shop.window, QStringLiteral("按钮导出月库存"));
    QFile saved(table);
    QFile exported(QDir(shop.files.programDir()).filePath("岚栖库存.xls"));
    QVERIFY(saved.open(QIODevice::ReadOnly) && exported.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), exported.readAll());
    QCOMPARE(saveAs("按钮另存期末库存", table, 0).initialText,
             folder.filePath(
                 QStringLiteral("期末库存-%1-12-31.xlsx").arg(QDate::currentDate().year() - 1)));

    // A file that cannot be written is never reported as saved; a
    // cancelled dialog writes nothing.
    const QString missing = folder.filePath("missing/总库存.xlsx");
    saveAs("按钮另存总库存", missing, 0);
    QCOMPARE(shop.dialogs.texts(), (QStringList{"另存为", "文件保存失败：" + missing}));
    QCOMPARE(shop.dialogs.shown().last().icon, 16);
    shop.dialogs.forget();
    clickButton(*shop.window, QStringLiteral("按钮另存总库存"));
    QCOMPARE(shop.dialogs.texts(), QStringList{"另存为"});
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
             (QStringList{"总库存.xlsx", "月库存.xls", "类库存"}));
}

void ReportPageTest::moneyTabsShowValueAndProfit()
{
    // 8寸 costs 2.5 and 2.5平方 0.1234; this month 8寸 came in at 2.00 and
    // sold at 3.50, and 10寸, without a cost, went out before prices existed.
    Shop shop;
    addSmallShop(shop.files);
    for (const QString &table : tables::ownTableNames()) {
        QVERIFY(QFile::exists(shop.files.path(table)) ||
                createTableFile(shop.files.path(table), table));
    }
    shop.files.add(tables::型号资料, {"五金", "扳手", "8寸", {}, {}, {}, 2.5, {}, {}});
    shop.files.add(tables::型号资料, {"电工", "电线", "2.5平方", {}, {}, {}, 0.1234, {}, {}});
    const QDate today = QDate::currentDate();
    addMovement(shop.files, today, "五金", "扳手", "8寸", 4, 0, "把", {});
    addMovement(shop.files, today, "五金", "扳手", "8寸", 0, 3, "把", {});
    addMovement(shop.files, today, "五金", "扳手", "10寸", 0, 1, "把", {});
    shop.files.add(tables::明细金额, {1, 2.0, 2.5});
    shop.files.add(tables::明细金额, {2, 3.5, 2.5});
    shop.start();
    shop.showPage(2);

    shop.showReport(4);
    auto *value = shop.get<ListView>("超级列表框库存金额");
    QCOMPARE(value->list().columnTitle(7), "库存金额");
    QCOMPARE(allRows(value),
             (QList<QStringList>{{"1", "五金", "扳手", "8寸", "10", "把", "2.50", "25.00"},
                                 {"2", "五金", "扳手", "10寸", "2", "把", "", ""},
                                 {"3", "五金", "钳子", "8寸", "5", "把", "", ""},
                                 {"4", "电工", "电线", "2.5平方", "2.5", "卷", "0.1234", "0.31"},
                                 {"5", "电工", "电线", "4平方", "2.5", "卷", "", ""}}));
    QCOMPARE(shop.get<QLabel>("标签合计库存金额")->text(), "25.31（含 3 个型号无成本价，按 0 计）");
    shop.choose("组合框库存金额品类", "电工");
    QCOMPARE(value->rowCount(), 2);
    QCOMPARE(shop.get<QLabel>("标签合计库存金额")->text(), "0.31（含 1 个型号无成本价，按 0 计）");

    shop.showReport(5);
    QCOMPARE(shop.get<QDateEdit>("日期框毛利")->date(), today);
    auto *profit = shop.get<ListView>("超级列表框毛利");
    QCOMPARE(allRows(profit), (QList<QStringList>{{"1", "五金", "扳手", "10寸", "0", "0.00", "1",
                                                   "0.00", "0.00", "0.00", "", "未计价 1 笔"},
                                                  {"2", "五金", "扳手", "8寸", "4", "8.00", "3",
                                                   "10.50", "7.50", "3.00", "28.57", ""}}));
    QCOMPARE(shop.get<QLabel>("标签合计毛利")->text(),
             "销售额 10.50　销售成本 7.50　毛利 3.00（含 1 笔无金额记录）（含 1 笔无成本价，按 0 "
             "计）");

    // Saved, the amounts are numbers; a unit price has no total.
    const QTemporaryDir folder;
    const QString workbook = folder.filePath("进销毛利.xlsx");
    shop.dialogs.answerSaveFile(Dialogs::SaveChoice{workbook, 0});
    clickButton(*shop.window, QStringLiteral("按钮另存毛利"));
    QMap<QString, XlsxCell> cells = xlsxCells(workbook);
    QCOMPARE(cells["H4"].type, "n");
    QCOMPARE(cells["H4"].numberFormat, "0.00");
    QCOMPARE(cells["K4"].text, "28.57");
    QVERIFY(cells.contains("J5") && !cells.contains("K5"));
    QVERIFY(shop.dialogs.texts() == QStringList{"另存为"});

    // Prices that can't be read leave the stock itself as it was.
    QFile damaged(shop.files.path(tables::明细金额));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    shop.dialogs.forget();
    shop.get<QDateEdit>("日期框毛利")->setDate(today.addMonths(-1));
    QCOMPARE(profit->rowCount(), 0);
    QCOMPARE(shop.dialogs.texts(), QStringList{"金额数据无法读取"});
    QCOMPARE(shop.dialogs.shown().last().icon, 16);
}

void ReportPageTest::reorderTabFollowsTheMinimums()
{
    // 扳手/8寸 (10) is below 12 and orders up to 20 at 2.50; 10寸 (2) is at
    // its minimum; 2.5平方 (2.5) is below 3, without 补货至 or 进价.
    Shop shop;
    addSmallShop(shop.files);
    for (const QString &table : tables::ownTableNames()) {
        QVERIFY(QFile::exists(shop.files.path(table)) ||
                createTableFile(shop.files.path(table), table));
    }
    shop.files.add(tables::型号资料, {"五金", "扳手", "8寸", {}, 2.5, {}, {}, 12, 20});
    shop.files.add(tables::型号资料, {"五金", "扳手", "10寸", {}, 1.0, {}, {}, 2, {}});
    shop.files.add(tables::型号资料, {"电工", "电线", "2.5平方", {}, {}, {}, {}, 3, {}});
    shop.start();
    auto *belowMinimum = shop.get<QLabel>("标签状态最低库存");
    QCOMPARE(belowMinimum->text(), "2 个型号低于最低库存");

    // The row of a model below its minimum stands out, and says so.
    const QAbstractItemModel &whole = *shop.get<ListView>("超级列表框总库存")->model();
    QCOMPARE(whole.index(0, 3).data(Qt::BackgroundRole).value<QColor>(), belowMinimumBackground());
    QCOMPARE(whole.index(0, 3).data(Qt::AccessibleTextRole).toString(), "8寸，低于最低库存");
    QCOMPARE(whole.index(1, 3).data(Qt::AccessibleTextRole).toString(), "10寸");
    QVERIFY(!whole.index(1, 3).data(Qt::BackgroundRole).isValid());

    shop.showPage(2);
    shop.showReport(6);
    auto *reorder = shop.get<ListView>("超级列表框补货");
    QCOMPARE(allRows(reorder),
             (QList<QStringList>{
                 {"1", "五金", "扳手", "8寸", "10", "12", "20", "10", "把", "2.50", "25.00"},
                 {"2", "电工", "电线", "2.5平方", "2.5", "3", "", "0.5", "卷", "", ""}}));
    QCOMPARE(shop.get<QLabel>("标签合计补货")->text(), "25.00（含 1 个型号无进价，未计金额）");

    // A stock-out takes 10寸 below its minimum.
    shop.get<RollUpMenu>("卷帘式菜单1")->chooseItem(0, 0);
    auto *models = shop.get<ListView>("超级列表框进销");
    clickRow(models, 1);
    typeInto(shop.get<QLineEdit>("编辑框出库"), QStringLiteral("1"));
    clickButton(*shop.window, QStringLiteral("按钮出库"));
    QCOMPARE(shop.dialogs.texts(), QStringList());
    QCOMPARE(belowMinimum->text(), "3 个型号低于最低库存");
    QVERIFY(models->list().isBelowMinimum(1));
    shop.showPage(2);
    QCOMPARE(rowTexts(reorder, 1),
             (QStringList{"2", "五金", "扳手", "10寸", "1", "2", "", "1", "把", "1.00", "1.00"}));
}

QTEST_MAIN(ReportPageTest)
#include "tst_reportpage.moc"
