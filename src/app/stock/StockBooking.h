#pragma once

#include "BookingPage.h"

namespace kucun {

// 按钮入库: books the quantity of 编辑框入库 into the selected model.
void bookStockIn(BookingContext &context);
// 按钮出库: books the quantity of 编辑框出库 out of the selected model.
void bookStockOut(BookingContext &context);

// Fills the day log with the movements of the day of 日期框进销.
void loadDayLog(BookingContext &context);
// After a booking: the day log again, scrolled to the new movement, the day's last.
void showNewMovement(BookingContext &context);

} // namespace kucun
