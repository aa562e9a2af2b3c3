#pragma once

namespace kucun {

struct AppContext;

// The whole-stock, category and monthly reports follow a change of the
// catalogue, the stock or the log. Each report that is hidden is only marked
// out of date and rebuilt when it is next shown, so that a booking does not
// wait for reports nobody sees, and showing the report page rebuilds one.
void refreshReports(AppContext &context);

// Fills the whole-stock and the monthly lists from one read of 型号.
void rebuildStockReports(AppContext &context);

// A page of 高级选择夹1 or a tab of 报表选择夹 came into view.
void onReportShown(AppContext &context);

} // namespace kucun
