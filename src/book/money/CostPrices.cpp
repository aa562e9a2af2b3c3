#include "CostPrices.h"

#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

std::optional<double> CostPrices::of(const ModelKey &key) const
{
    const auto found = costs.constFind(key);
    return found == costs.constEnd() ? std::nullopt : std::optional<double>(*found);
}

CostPrices readCostPrices(const Book &book)
{
    CostPrices prices;
    Table table;
    const OwnTable state = openOwnTable(book, table, tables::型号资料);
    if (state != OwnTable::Open) {
        prices.readable = state == OwnTable::Missing;
        return prices;
    }
    const bool whole = table.forEachMatching(
        RecordFilter::all(), {fields::品类, fields::名称, fields::型号, fields::成本价},
        [&prices](const Record &record) {
            if (!record.isAbsentAt(3)) {
                prices.costs.insert({record.textAt(0), record.textAt(1), record.textAt(2)},
                                    record.numberAt(3));
            }
        });
    if (!whole) {
        prices = CostPrices{false, {}};
    }
    return prices;
}

} // namespace kucun
