#include "ReportRefresh.h"

#include "CategoryReport.h"
#include "MonthlyReport.h"
#include "app/AppContext.h"

#include <QTabWidget>

namespace kucun {

namespace {

constexpr int reportPage = 2;

void rebuildReports(AppContext &context)
{
    context.state.reportsOutOfDate = false;
    refreshCategoryReport(context);
    rebuildMonthlyReport(context);
}

} // namespace

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
    // A page the password guard refused has already given way to another.
    const bool shown = context.form.高级选择夹1->currentIndex() == page;
    if (shown && page == reportPage && context.state.reportsOutOfDate) {
        rebuildReports(context);
    }
}

} // namespace kucun
