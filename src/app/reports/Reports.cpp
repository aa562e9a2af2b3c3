#include "Reports.h"

#include "book/forms/ReportForms.h"
#include "book/sheets/SpreadsheetExport.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>

namespace kucun {

namespace {

QString dayText(const ReportPage &page)
{
    return page.日期框期末->date().toString(QStringLiteral("yyyy-MM-dd"));
}

QString todayText(const ReportPage &)
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString monthText(const ReportPage &page)
{
    return page.月历1->selectedDate().toString(QStringLiteral("yyyy-MM"));
}

QString profitMonthText(const ReportPage &page)
{
    return page.日期框毛利->date().toString(QStringLiteral("yyyy-MM"));
}

QString valueCategoryText(const ReportPage &page)
{
    return page.组合框库存金额品类->currentIndex() > 0 ? page.组合框库存金额品类->currentText()
                                                       : QStringLiteral("全部");
}

const ReportColumns stockColumns{{QStringLiteral("品类"), QStringLiteral("名称"),
                                  QStringLiteral("型号"), QStringLiteral("库存"),
                                  QStringLiteral("单位"), QStringLiteral("备注")},
                                 {70, 140, 160, 180, 90, 70},
                                 {4}};
const ReportColumns onDayColumns{{QStringLiteral("品类"), QStringLiteral("名称"),
                                  QStringLiteral("型号"), QStringLiteral("库存"),
                                  QStringLiteral("单位"), QStringLiteral("成本价"),
                                  QStringLiteral("期末金额"), QStringLiteral("备注")},
                                 {70, 140, 160, 180, 90, 70, 90, 110},
                                 {4, 6, 7},
                                 {6}};
const ReportColumns valueColumns{
    {QStringLiteral("品类"), QStringLiteral("名称"), QStringLiteral("型号"), QStringLiteral("库存"),
     QStringLiteral("单位"), QStringLiteral("成本价"), QStringLiteral("库存金额")},
    {70, 140, 160, 180, 90, 70, 90, 110},
    {4, 6, 7},
    {6}};
const ReportColumns profitColumns{
    {QStringLiteral("品类"), QStringLiteral("名称"), QStringLiteral("型号"),
     QStringLiteral("入库数量"), QStringLiteral("入库金额"), QStringLiteral("出库数量"),
     QStringLiteral("销售额"), QStringLiteral("销售成本"), QStringLiteral("毛利"),
     QStringLiteral("毛利率"), QStringLiteral("备注")},
    {60, 110, 130, 140, 80, 100, 80, 100, 100, 100, 80},
    {4, 5, 6, 7, 8, 9, 10},
    {10}};
const ReportColumns reorderColumns{
    {QStringLiteral("品类"), QStringLiteral("名称"), QStringLiteral("型号"), QStringLiteral("库存"),
     QStringLiteral("最低库存"), QStringLiteral("补货至"), QStringLiteral("建议补货"),
     QStringLiteral("单位"), QStringLiteral("进价"), QStringLiteral("金额")},
    {50, 70, 120, 140, 80, 80, 80, 80, 60, 80, 100},
    {4, 5, 6, 7, 9, 10},
    {5, 6, 9}};

} // namespace

const std::array<ReportDescription, 7> &reportDescriptions()
{
    using P = ReportPage;
    static const std::array<ReportDescription, 7> reports{{
        {Report::WholeStock,
         QStringLiteral("总库存"),
         nullptr,
         false,
         QStringLiteral("超级列表框总库存"),
         stockColumns,
         false,
         QStringLiteral("标签合计库存"),
         QStringLiteral("按钮导出总库存"),
         QStringLiteral("按钮另存总库存"),
         QStringLiteral("按钮打印总表单"),
         &P::超级列表框总库存,
         &P::标签合计库存,
         &P::按钮导出总库存,
         &P::按钮另存总库存,
         &P::按钮打印总表单,
         [](const P &) { return QStringLiteral("岚栖库存管理—总库存"); },
         todayText,
         [](const P &) { return QStringLiteral("库存-总表单"); },
         &OutdatedReports::wholeStock,
         loadWholeStock},
        {Report::ByCategory,
         QStringLiteral("类库存"),
         &P::buildCategoryChoices,
         false,
         QStringLiteral("超级列表框类库存"),
         stockColumns,
         false,
         QStringLiteral("标签合计库存2"),
         QStringLiteral("按钮导出类库存"),
         QStringLiteral("按钮另存类库存"),
         QStringLiteral("按钮打印类表单"),
         &P::超级列表框类库存,
         &P::标签合计库存2,
         &P::按钮导出类库存,
         &P::按钮另存类库存,
         &P::按钮打印类表单,
         [](const P &) { return QStringLiteral("岚栖库存管理—类库存"); },
         todayText,
         [](const P &) { return QStringLiteral("库存-类表单"); },
         &OutdatedReports::byCategory,
         refreshCategoryReport},
        {Report::Monthly,
         QStringLiteral("月库存"),
         &P::buildMonthChoice,
         true,
         QStringLiteral("超级列表框月库存"),
         stockColumns,
         false,
         QStringLiteral("标签合计月库存"),
         QStringLiteral("按钮导出月库存"),
         QStringLiteral("按钮另存月库存"),
         QStringLiteral("按钮打印月表单"),
         &P::超级列表框月库存,
         &P::标签合计月库存,
         &P::按钮导出月库存,
         &P::按钮另存月库存,
         &P::按钮打印月表单,
         [](const P &) { return QStringLiteral("岚栖库存管理—月库存"); },
         monthText,
         [](const P &page) { return monthlyFormTitle(page.月历1->selectedDate()); },
         &OutdatedReports::monthly,
         rebuildMonthlyReport},
        {Report::OnDay,
         QStringLiteral("期末库存"),
         &P::buildDayChoice,
         false,
         QStringLiteral("超级列表框期末库存"),
         onDayColumns,
         false,
         QStringLiteral("标签合计期末库存"),
         QStringLiteral("按钮导出期末库存"),
         QStringLiteral("按钮另存期末库存"),
         QStringLiteral("按钮打印期末表单"),
         &P::超级列表框期末库存,
         &P::标签合计期末库存,
         &P::按钮导出期末库存,
         &P::按钮另存期末库存,
         &P::按钮打印期末表单,
         [](const P &page) { return QStringLiteral("岚栖库存管理—期末库存 ") + dayText(page); },
         dayText,
         [](const P &page) { return QStringLiteral("库存-期末表单 ") + dayText(page); },
         &OutdatedReports::onDay,
         rebuildStockOnDayReport},
        {Report::StockValue,
         QStringLiteral("库存金额"),
         &P::buildValueCategoryChoice,
         false,
         QStringLiteral("超级列表框库存金额"),
         valueColumns,
         true,
         QStringLiteral("标签合计库存金额"),
         QStringLiteral("按钮导出库存金额"),
         QStringLiteral("按钮另存库存金额"),
         QStringLiteral("按钮打印库存金额表单"),
         &P::超级列表框库存金额,
         &P::标签合计库存金额,
         &P::按钮导出库存金额,
         &P::按钮另存库存金额,
         &P::按钮打印库存金额表单,
         [](const P &page) {
             return QStringLiteral("岚栖库存管理—库存金额 ") + valueCategoryText(page);
         },
         todayText,
         [](const P &page) { return QStringLiteral("库存金额表单 ") + valueCategoryText(page); },
         &OutdatedReports::stockValue,
         rebuildStockValueReport},
        {Report::GrossProfit,
         QStringLiteral("进销毛利"),
         &P::buildProfitMonthChoice,
         false,
         QStringLiteral("超级列表框毛利"),
         profitColumns,
         true,
         QStringLiteral("标签合计毛利"),
         QStringLiteral("按钮导出毛利"),
         QStringLiteral("按钮另存毛利"),
         QStringLiteral("按钮打印毛利表单"),
         &P::超级列表框毛利,
         &P::标签合计毛利,
         &P::按钮导出毛利,
         &P::按钮另存毛利,
         &P::按钮打印毛利表单,
         [](const P &page) {
             return QStringLiteral("岚栖库存管理—进销毛利 ") + profitMonthText(page);
         },
         profitMonthText,
         [](const P &page) { return QStringLiteral("进销毛利表单 ") + profitMonthText(page); },
         &OutdatedReports::grossProfit,
         rebuildGrossProfitReport},
        {Report::Reorder,
         QStringLiteral("补货"),
         nullptr,
         false,
         QStringLiteral("超级列表框补货"),
         reorderColumns,
         true,
         QStringLiteral("标签合计补货"),
         QStringLiteral("按钮导出补货"),
         QStringLiteral("按钮另存补货"),
         QStringLiteral("按钮打印补货表单"),
         &P::超级列表框补货,
         &P::标签合计补货,
         &P::按钮导出补货,
         &P::按钮另存补货,
         &P::按钮打印补货表单,
         [](const P &) { return QStringLiteral("岚栖库存管理—补货"); },
         todayText,
         [](const P &) { return QStringLiteral("补货表单"); },
         &OutdatedReports::reorder,
         rebuildReorderReport},
    }};
    return reports;
}

const ReportDescription &describe(Report report)
{
    return reportDescriptions()[static_cast<std::size_t>(report)];
}

ShownTable shownTable(const ListView &list)
{
    ShownTable table;
    for (int column = 0; column < list.columnCount(); ++column) {
        table.columnTitles.append(list.list().columnTitle(column));
    }
    table.rows.reserve(list.rowCount());
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column) {
            cells.append(list.cellText(row, column));
        }
        table.rows.append(cells);
    }
    return table;
}

} // namespace kucun
