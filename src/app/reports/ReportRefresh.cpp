#include "ReportRefresh.h"

#include "MonthlyReport.h"
#include "Reports.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"

#include <QTabWidget>

namespace kucun {

namespace {

constexpr int reportPage = 2;

// The tab of the report on screen now, if any.
int reportShown(const Form &form)
{
    return form.高级选择夹1->currentIndex() == reportPage ? form.报表选择夹->currentIndex() : -1;
}

void rebuildIfOutdated(AppContext &context, int tab)
{
    const auto &reports = reportDescriptions();
    if (tab < 0 || tab >= static_cast<int>(reports.size())) {
        return;
    }
    const ReportDescription &shown = reports[static_cast<std::size_t>(tab)];
    bool &outdated = context.state.outdatedReports.*shown.outdated;
    if (outdated) {
        outdated = false;
        shown.rebuild(context);
    }
}

} // namespace

void rebuildStockReports(AppContext &context)
{
    // The whole stock and the month list show the same models: one read.
    // When it fails, each list is emptied and tells of the table as it
    // would alone.
    const ReadResult<std::vector<ModelRecord>> models = readAllModels();
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
    for (const ReportDescription &report : reportDescriptions()) {
        context.state.outdatedReports.*report.outdated = true;
    }
    rebuildIfOutdated(context, reportShown(context.form));
}

void onReportShown(AppContext &context)
{
    rebuildIfOutdated(context, reportShown(context.form));
}

} // namespace kucun
