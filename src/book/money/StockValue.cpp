#include "StockValue.h"

#include "CostPrices.h"
#include "book/ValueText.h"
#include "store/StoredRow.h"
#include "store/TableSchema.h"

#include <cmath>

namespace kucun {

ReadResult<StockValue> readStockValue(const Book &book, const std::optional<QString> &category)
{
    const CostPrices prices = readCostPrices(book);
    StockValue value;
    value.moneyReadable = prices.readable;
    std::string key;
    const StoreFault fault = visitStoredModels(
        book,
        category ? RecordFilter::textsEqual({{fields::品类, *category}}) : RecordFilter::all(),
        [&](const StoredRow &row) {
            ValuedModel valued{modelOf(row), std::nullopt, 0};
            const double stock = valued.model.stock;
            storeKeyInto(key, row.utf8At(0), row.utf8At(1), row.utf8At(2));
            valued.cost = prices.of(key);
            if (valued.cost) {
                valued.value = amountOf(stock, *valued.cost);
            } else if (std::abs(stock) > numberTolerance) {
                ++value.withoutCost;
            }
            value.total += valued.value;
            value.models.push_back(std::move(valued));
        });
    if (fault != StoreFault::None) {
        return fault;
    }
    return value;
}

} // namespace kucun
