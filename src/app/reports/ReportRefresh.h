#pragma once

#include "ReportPage.h"

#include <QtGlobal>

namespace kucun {

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

// Fills the whole-stock and the monthly lists from one read of 型号.
void rebuildStockReports(ReportContext &context);
// The whole-stock list and its total from 型号.
void loadWholeStock(ReportContext &context);

// A page of 高级选择夹1 or a tab of 报表选择夹 came into view.
void onReportShown(ReportContext &context);

} // namespace kucun
