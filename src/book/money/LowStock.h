#pragma once

#include "Money.h"
#include "book/ReadResult.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/catalogue/ModelKey.h"

#include <QHash>
#include <optional>
#include <vector>

namespace kucun {

class Table;

// What 型号资料 keeps of a model's reordering: its 最低库存 and 补货至.
struct StockMinimum
{
    double minimum = 0;
    std::optional<double> reorderTo;
};

// True when the stock lies below the minimum; never without one.
bool belowMinimum(double stock, std::optional<double> minimum);

// The quantity to order for a model whose stock lies below its minimum: up
// to 补货至, or up to the minimum itself when it has no 补货至 (or one below
// the minimum). Nothing while the stock is not below.
std::optional<double> suggestedOrder(double stock, std::optional<StockMinimum> minimum);

// A model below its minimum, as the 补货 list shows it.
struct ReorderLine
{
    ModelRecord model;
    StockMinimum minimum;
    double suggested = 0;
    // 进价; nothing while the model has none.
    std::optional<double> purchase;
    // suggested × 进价 in 分; nothing without a 进价.
    std::optional<Fen> amount;
};

struct ReorderList
{
    // In table order of 型号.
    std::vector<ReorderLine> lines;
    // The sum of the amounts, in whole 分.
    Fen total = 0;
};

// The minimums of the models 型号资料 gives one to, of every model or of
// those the filter on 品类/名称/型号 names. A missing 型号资料 holds none.
ReadResult<QHash<ModelKey, StockMinimum>> readMinimums(const Book &book);
ReadResult<QHash<ModelKey, StockMinimum>> readMinimumsOf(const Book &book, const QString &category,
                                                         const std::optional<QString> &item);

// Whether a stock change from `before` to `after` takes the model across its
// 最低库存, read from 型号资料 attached to the open table: below it and not
// before, or the other way. False without a minimum, or without the file.
bool crossesMinimum(Table &models, const ModelKey &key, double before, double after);

// The models below their minimum, with what to order: one read of 型号资料
// and one of 型号, matched by the models' stored texts.
ReadResult<ReorderList> readReorderList(const Book &book);

} // namespace kucun
