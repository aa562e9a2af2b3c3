#pragma once

#include "ReportPage.h"

namespace kucun {

// Rebuilds 超级列表框期末库存 for the day of 日期框期末: every model of 型号
// with its stock at the end of that day, and the total.
void rebuildStockOnDayReport(ReportContext &context);

} // namespace kucun
