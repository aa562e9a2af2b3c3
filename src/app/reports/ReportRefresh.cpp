#include "ReportRefresh.h"

#include "CategoryReport.h"
#include "MonthlyReport.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"

#include <QTabWidget>

namespace kucun {

namespace {

constexpr int reportPage = 2;

// The tabs of 报表选择夹, in order.
enum ReportTab
{
    WholeStockTab,
    CategoryTab,
    MonthTab,
};

// The report on screen now, if any.
int reportShown(const Form &form)
{
    return form.高级选择夹1->currentIndex() == reportPage ? form.报表选择夹->currentIndex() : -1;
}

void rebuildIfOutdated(AppContext &context, int report)
{
    OutdatedReports &outdated = context.state.outdatedReports;
    if (report == WholeStockTab && outdated.wholeStock) {
        outdated.wholeStock = false;
        loadModelList(context, ModelList::WholeStock);
    } else if (report == CategoryTab && outdated.byCategory) {
        outdated.byCategory = false;
        refreshCategoryReport(context);
    } else if (report == MonthTab && outdated.monthly) {
        outdated.monthly = false;
        rebuildMonthlyReport(context);
    }
}

} // namespace

void rebuildStockReports(AppContext &context)
{
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
    context.state.outdatedReports = {true, true, true};
    rebuildIfOutdated(context, reportShown(context.form));
}

void onReportShown(AppContext &context)
{
    rebuildIfOutdated(context, reportShown(context.form));
}

} // namespace kucun
