#include "LowStock.h"

#include "ModelPrices.h"
#include "OwnTables.h"
#include "book/ValueText.h"
#include "store/StoredRow.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace kucun {

namespace {

// The minimums of the rows of 型号资料 the filter names that hold one, by their texts.
ReadResult<QHash<ModelKey, StockMinimum>> readMinimumsMatching(const Book &book,
                                                               const RecordFilter &filter)
{
    QHash<ModelKey, StockMinimum> minimums;
    Table table;
    switch (openOwnTable(book, table, tables::型号资料)) {
    case OwnTable::Missing:
        return minimums;
    case OwnTable::Unreadable:
        return table.fault();
    case OwnTable::Open:
        break;
    }
    const bool read = table.forEachMatching(
        filter, {fields::品类, fields::名称, fields::型号, fields::最低库存, fields::补货至},
        [&](const Record &record) {
            if (record.isAbsentAt(3)) {
                return;
            }
            minimums.insert({record.textAt(0), record.textAt(1), record.textAt(2)},
                            {record.numberAt(3), record.numberIfAnyAt(4)});
        });
    if (!read) {
        return table.fault();
    }
    return minimums;
}

} // namespace

bool belowMinimum(double stock, std::optional<double> minimum)
{
    return minimum && stock < *minimum - numberTolerance;
}

std::optional<double> suggestedOrder(double stock, std::optional<StockMinimum> minimum)
{
    if (!minimum || !belowMinimum(stock, minimum->minimum)) {
        return std::nullopt;
    }
    return std::max(minimum->reorderTo.value_or(minimum->minimum), minimum->minimum) - stock;
}

ReadResult<QHash<ModelKey, StockMinimum>> readMinimums(const Book &book)
{
    return readMinimumsMatching(book, RecordFilter::all());
}

ReadResult<QHash<ModelKey, StockMinimum>> readMinimumsOf(const Book &book, const QString &category,
                                                         const std::optional<QString> &item)
{
    QList<std::pair<QString, QString>> texts{{fields::品类, category}};
    if (item) {
        texts.append({fields::名称, *item});
    }
    return readMinimumsMatching(book, RecordFilter::textsEqual(texts));
}

bool crossesMinimum(Table &models, const ModelKey &key, double before, double after)
{
    std::optional<double> minimum;
    const bool read =
        models.holds(tables::型号资料) &&
        models.forEachIn(tables::型号资料, modelRowFilter(key), [&](const Record &record) {
            minimum = record.numberIfAny(fields::最低库存);
        });
    return read && belowMinimum(before, minimum) != belowMinimum(after, minimum);
}

ReadResult<ReorderList> readReorderList(const Book &book)
{
    // Each minimum of 型号资料, with the 进价, by the model's stored texts.
    std::unordered_map<std::string, std::pair<StockMinimum, std::optional<double>>> terms;
    Table own;
    switch (openOwnTable(book, own, tables::型号资料)) {
    case OwnTable::Missing:
        return ReorderList();
    case OwnTable::Unreadable:
        return own.fault();
    case OwnTable::Open:
        break;
    }
    const bool read = own.forEachMatching(
        RecordFilter::all(),
        {fields::品类, fields::名称, fields::型号, fields::最低库存, fields::补货至, fields::进价},
        [&](const StoredRow &row) {
            if (!row.isAbsentAt(3)) {
                terms.emplace(storedKeyOf(row.utf8At(0), row.utf8At(1), row.utf8At(2)),
                              std::pair{StockMinimum{row.numberAt(3), row.numberIfAnyAt(4)},
                                        row.numberIfAnyAt(5)});
            }
        });
    if (!read) {
        return own.fault();
    }
    own.close();
    ReorderList list;
    if (terms.empty()) {
        return list;
    }
    // Only the models below their minimum become records.
    std::string key;
    const StoreFault fault =
        visitStoredModels(book, RecordFilter::all(), [&](const StoredRow &row) {
            storeKeyInto(key, row.utf8At(0), row.utf8At(1), row.utf8At(2));
            const auto found = terms.find(key);
            if (found == terms.end()) {
                return;
            }
            const auto &[minimum, purchase] = found->second;
            const std::optional<double> suggested = suggestedOrder(row.numberAt(4), minimum);
            if (!suggested) {
                return;
            }
            ReorderLine line{modelOf(row), minimum, *suggested, purchase, std::nullopt};
            if (purchase) {
                line.amount = amountOf(*suggested, *purchase);
                list.total += *line.amount;
            }
            list.lines.push_back(std::move(line));
        });
    if (fault != StoreFault::None) {
        return fault;
    }
    return list;
}

} // namespace kucun
