#pragma once

namespace kucun {

struct AppContext;

// Rebuilds 超级列表框月库存 for the month of 月历1: every model of 型号 with its
// quantity at "0" and the total at "0".
void rebuildMonthlyReport(AppContext &context);

} // namespace kucun
