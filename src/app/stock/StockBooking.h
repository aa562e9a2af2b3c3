#pragma once

namespace kucun {

struct AppContext;

// 按钮入库: books the quantity of 编辑框入库 into the selected model.
void bookStockIn(AppContext &context);
// 按钮出库: books the quantity of 编辑框出库 out of the selected model.
void bookStockOut(AppContext &context);

} // namespace kucun
