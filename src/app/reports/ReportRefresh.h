#pragma once

namespace kucun {

struct AppContext;

// The whole-stock, category and monthly reports follow a change of the
// catalogue, the stock or the log. While the report page is hidden they are
// only marked out of date and rebuilt when it is next shown, so that a
// booking does not wait for reports nobody sees.
void refreshReports(AppContext &context);

// Fills the whole-stock and the monthly lists from one read of 型号.
void rebuildStockReports(AppContext &context);

// A page of 高级选择夹1 came into view.
void onPageShown(AppContext &context, int page);

} // namespace kucun
