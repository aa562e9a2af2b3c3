#pragma once

#include "Money.h"
#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"

#include <optional>
#include <vector>

namespace kucun {

// A model with what its stock is worth at its average cost.
struct ValuedModel
{
    ModelRecord model;
    // Nothing while the model has no 成本价.
    std::optional<double> cost;
    // 库存 × 成本价, in 分; 0 without a cost.
    Fen value = 0;
};

struct StockValue
{
    // False when 型号资料 can't be read: no money is shown then.
    bool moneyReadable = true;
    std::vector<ValuedModel> models;
    // The sum of the values, in whole 分.
    Fen total = 0;
    // Models with stock but no cost: they count 0 in the total.
    int withoutCost = 0;
};

// The value of the stock of every model, or of one category's models, in
// table order. Nothing when 型号 can't be read.
ReadResult<StockValue> readStockValue(const Book &book,
                                      const std::optional<QString> &category = std::nullopt);

} // namespace kucun
