#pragma once

#include <optional>

namespace kucun {

class Table;
struct Movement;

// Books a movement inside a transaction the caller holds on 型号 with 明细
// attached, on the current model record: its 库存 goes up or down by the
// quantity and the movement is appended to 明细 with the model's unit. With
// 型号资料 and 明细金额 attached too, the model's 成本价 moves by the average
// and the movement's price and cost go into 明细金额. The new stock, or
// nothing when a write failed (the caller rolls back).
std::optional<double> writeMovement(Table &models, const Movement &movement);

} // namespace kucun
