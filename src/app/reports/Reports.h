#pragma once

#include "ReportPage.h"

#include <QString>
#include <array>
#include <vector>

namespace kucun {

struct ModelRecord;
struct ShownTable;

// The report lists of the report page, in the order of the tabs of
// 报表选择夹.
enum class Report
{
    WholeStock,  // 超级列表框总库存
    ByCategory,  // 超级列表框类库存
    Monthly,     // 超级列表框月库存
    OnDay,       // 超级列表框期末库存
    StockValue,  // 超级列表框库存金额
    GrossProfit, // 超级列表框毛利
    Reorder,     // 超级列表框补货
};

// How a report list shows its rows: its column titles after 序号, their
// widths, and the columns of figures (aligned to the right, saved as
// numbers).
struct ReportColumns
{
    QStringList titles;
    QList<int> widths;
    QList<int> figures;
    // Figures that do not add up (unit prices, rates): no total in a saved sheet.
    QList<int> withoutTotal = {};
};

// A report list as the window knows it: how its tab is built, its list,
// its total label and its three buttons, the titles of its export and of
// its printed form, the name of its saved sheet, and how it is rebuilt when
// it is shown out of date. The page's builder, export, save, print, sort and
// refresh all go by it.
struct ReportDescription
{
    Report report;
    // The report's name: its tab, the sheet of a saved workbook and the
    // start of the proposed file name.
    QString sheetName;
    // The controls that choose what the report shows, above its list or
    // beside it; none for the whole stock.
    QLayout *(ReportPage::*buildChoices)();
    bool choicesBeside;
    // The object names of the list, the total label and the three buttons.
    QString listName;
    ReportColumns columns;
    // True when the printed form shows every column of the list; otherwise
    // it is the stock form of 品类 to 单位.
    bool wholeForm;
    QString totalName;
    QString exportName;
    QString saveName;
    QString printName;
    ListView *ReportPage::*list;
    QLabel *ReportPage::*total;
    QPushButton *ReportPage::*exportButton;
    QPushButton *ReportPage::*saveButton;
    QPushButton *ReportPage::*printButton;
    // The title row of the exported file, as the page's controls choose it.
    QString (*exportTitle)(const ReportPage &page);
    // The day or month the report shows, as the proposed file name ends:
    // 2025-12-31, 2026-11.
    QString (*fileDay)(const ReportPage &page);
    // The title of the printed form, as the page's controls choose it.
    QString (*formTitle)(const ReportPage &page);
    // Marks the report among those to rebuild when next shown.
    bool OutdatedReports::*outdated;
    void (*rebuild)(ReportContext &context);
};

// Every report list, in the order of the tabs.
const std::array<ReportDescription, 7> &reportDescriptions();
const ReportDescription &describe(Report report);

// Every cell as the list shows it, with its column titles, rows in the order
// shown.
ShownTable shownTable(const ListView &list);

// The category, monthly and past-day reports, and their refresh.

// A choice in the selectors of the category report: level 1 is a category
// chosen in 组合框1, level 2 an item in 组合框2, level 3 a model in 组合框3.
// Lists the models that match the choices up to that level in
// 超级列表框类库存 with their total, and offers the next level's choices.
void runCategoryQuery(ReportContext &context, int level);

// The category report again for the choices it shows, after the catalogue
// or the stock changed.
void refreshCategoryReport(ReportContext &context);

// After the catalogue was read: 组合框1 offers its categories; the category
// chosen stays chosen while it is still there.
void offerCategories(ReportContext &context);

// Rebuilds 超级列表框月库存 for the month of 月历1: every model of 型号 with
// its net movement in that month (booked in minus booked out), and the total.
void rebuildMonthlyReport(ReportContext &context);
// The same over the models of 型号 already read.
void rebuildMonthlyReportFrom(ReportContext &context, const std::vector<ModelRecord> &models);

// 月历1 turned to another month (its arrows or its month and year menus):
// the chosen date moves into that month, which rebuilds the report.
void showChosenMonth(ReportContext &context, int year, int month);

// Rebuilds 超级列表框期末库存 for the day of 日期框期末: every model of 型号
// with its stock at the end of that day, and the total.
void rebuildStockOnDayReport(ReportContext &context);

// The whole-stock, category and monthly reports follow a change of the
// catalogue, the stock or the log. Each report that is hidden is only marked
// out of date and rebuilt when it is next shown, so that a booking does not
// wait for reports nobody sees, and showing the report page rebuilds one.
void refreshReports(ReportContext &context);

// A booking changed one model's stock. The whole-stock and category lists
// show it in place, row and total exactly as a rebuild would; a list that
// can't (sorted, or without the row it must have) is rebuilt when next
// shown, as are the monthly and past-day lists, whose figures come from the
// log.
void followModelStock(ReportContext &context, qint64 modelId, double stock);

// Rebuilds 超级列表框库存金额 for the category of 组合框库存金额品类 (or
// every model): each model's stock at its 成本价, and the total value.
void rebuildStockValueReport(ReportContext &context);
// Rebuilds 超级列表框毛利 for the month of 日期框毛利: each model's
// purchases, sales, cost of sales and gross profit, and the month's totals.
void rebuildGrossProfitReport(ReportContext &context);
// Rebuilds 超级列表框补货: the models below their minimum with what to
// order of each and its amount at 进价, and the total amount.
void rebuildReorderReport(ReportContext &context);
// After the catalogue was read: 组合框库存金额品类 offers 全部 and the
// categories; the one chosen stays chosen while it is still there.
void offerValueCategories(ReportContext &context);

// Fills the whole-stock and the monthly lists from one read of 型号.
void rebuildStockReports(ReportContext &context);
// The rows of the whole-stock list that show a model below its minimum.
int modelsBelowMinimum(const ReportPage &page);
// The whole-stock list and its total from 型号.
void loadWholeStock(ReportContext &context);

// A page of 高级选择夹1 or a tab of 报表选择夹 came into view.
void onReportShown(ReportContext &context);

// A click on a column header of a report list: 品类, 名称 and 型号 sort by
// their GBK bytes, the quantity as a number; the other columns leave the
// order. The rows stay numbered from 1 and the selected row stays selected.
void sortReportList(ListView &list, int column);

} // namespace kucun
