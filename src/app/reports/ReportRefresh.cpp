#include "ReportRefresh.h"

#include "CategoryReport.h"
#include "MonthlyReport.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"

#include <QTabWidget>

namespace kucun {

namespace {

constexpr int reportPage = 2;

// The whole stock and the month list show the same models: one read. When it
// fails each list is emptied and tells of the table as it would alone.
void rebuildReports(AppContext &context)
{
    context.state.reportsOutOfDate = false;
    const std::optional<std::vector<ModelRecord>> models = readAllModels();
    if (models) {
        showModelList(context, ModelList::WholeStock, *models);
    } else {
        loadModelList(context, ModelList::WholeStock);
    }
    refreshCategoryReport(context);
    if (models) {
        rebuildMonthlyReportFrom(context, *models);
    } else {
        rebuildMonthlyReport(context);
    }
}

} // namespace

void rebuildStockReports(AppContext &context)
{
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
        rebuildReports(context);
    } else {
        context.state.reportsOutOfDate = true;
    }
}

void onPageShown(AppContext &context, int page)
{
    if (page == reportPage && context.state.reportsOutOfDate) {
        rebuildReports(context);
    }
}

} // namespace kucun
