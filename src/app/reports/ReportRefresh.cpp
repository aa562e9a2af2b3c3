#include "ReportRefresh.h"

#include "CategoryReport.h"
#include "MonthlyReport.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"

#include <QTabWidget>

namespace kucun {

namespace {

constexpr int reportPage = 2;

void rebuildAllReports(AppContext &context)
{
    rebuildStockReports(context);
    refreshCategoryReport(context);
}

} // namespace

void rebuildStockReports(AppContext &context)
{
    context.state.reportsOutOfDate = false;
    // The whole stock and the month list show the same models: one read.
    // When it fails, each list is emptied and tells of the table as it
    // would alone.
    const std::optional<std::vector<ModelRecord>> models = readAllModels();
    if (!models) {
        loadModelList(context, ModelList::WholeStock);
        rebuildMonthlyReport(context);
        return;
    }
    showModelList(context, ModelList::WholeStock, *models);
    rebuildMonthlyReportFrom(context, *models);
}

void refreshReports(AppContext &context)
{
    if (context.form.高级选择夹1->currentIndex() == reportPage) {
        rebuildAllReports(context);
    } else {
        context.state.reportsOutOfDate = true;
    }
}

void onPageShown(AppContext &context, int page)
{
    // A page the password guard refused has already given way to another.
    const bool shown = context.form.高级选择夹1->currentIndex() == page;
    if (shown && page == reportPage && context.state.reportsOutOfDate) {
        rebuildAllReports(context);
    }
}

} // namespace kucun
