#pragma once

#include <optional>

namespace kucun {

class Table;
struct Movement;

// Books a movement inside a transaction the caller holds on 型号 with 明细
// attached, on the current model record: its 库存 goes up or down by the
// quantity and the movement is appended to 明细 with the model's unit. The
// new stock, or nothing when a write failed (the caller rolls back).
std::optional<double> writeMovement(Table &models, const Movement &movement);

} // namespace kucun
