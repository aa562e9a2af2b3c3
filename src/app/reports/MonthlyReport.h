#pragma once

#include "ReportPage.h"

#include <vector>

namespace kucun {

struct ModelRecord;

// Rebuilds 超级列表框月库存 for the month of 月历1: every model of 型号 with
// its net movement in that month (booked in minus booked out), and the total.
void rebuildMonthlyReport(ReportContext &context);
// The same over the models of 型号 already read.
void rebuildMonthlyReportFrom(ReportContext &context, const std::vector<ModelRecord> &models);

// 月历1 turned to another month (its arrows or its month and year menus):
// the chosen date moves into that month, which rebuilds the report.
void showChosenMonth(ReportContext &context, int year, int month);

} // namespace kucun
