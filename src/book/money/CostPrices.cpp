#include "CostPrices.h"

#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

std::optional<double> CostPrices::of(const ModelKey &key) const
{
    return of(storedKeyOf(key));
}

std::optional<double> CostPrices::of(const std::string &storedKey) const
{
    const auto found = costs.find(storedKey);
    return found == costs.end() ? std::nullopt : std::optional<double>(found->second);
}

CostPrices readCostPrices(const Book &book, const RecordFilter &rows)
{
    CostPrices prices;
    Table table;
    const OwnTable state = openOwnTable(book, table, tables::型号资料);
    if (state != OwnTable::Open) {
        prices.readable = state == OwnTable::Missing;
        return prices;
    }
    const bool whole = table.forEachMatching(
        rows, {fields::品类, fields::名称, fields::型号, fields::成本价},
        [&prices](const StoredRow &row) {
            if (!row.isAbsentAt(3)) {
                prices.costs.emplace(storedKeyOf(row.utf8At(0), row.utf8At(1), row.utf8At(2)),
                                     row.numberAt(3));
            }
        });
    if (!whole) {
        prices = CostPrices{false, {}};
    }
    return prices;
}

} // namespace kucun
