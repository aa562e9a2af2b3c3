#include "LowStock.h"

#include "OwnTables.h"
#include "book/ValueText.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <algorithm>

namespace kucun {

namespace {

// A model's row of 型号资料 as reordering reads it.
struct ReorderTerms
{
    StockMinimum minimum;
    std::optional<double> purchase;
};

// The rows of 型号资料 the filter names that hold a minimum, by their texts.
ReadResult<QHash<ModelKey, ReorderTerms>> readTerms(const Book &book, const RecordFilter &filter)
{
    QHash<ModelKey, ReorderTerms> terms;
    Table table;
    switch (openOwnTable(book, table, tables::型号资料)) {
    case OwnTable::Missing:
        return terms;
    case OwnTable::Unreadable:
        return table.fault();
    case OwnTable::Open:
        break;
    }
    const auto number = [](const Record &record, int field) {
        return record.isAbsentAt(field) ? std::nullopt
                                        : std::optional<double>(record.numberAt(field));
    };
    const bool read = table.forEachMatching(
        filter,
        {fields::品类, fields::名称, fields::型号, fields::最低库存, fields::补货至, fields::进价},
        [&](const Record &record) {
            if (record.isAbsentAt(3)) {
                return;
            }
            terms.insert({record.textAt(0), record.textAt(1), record.textAt(2)},
                         {{record.numberAt(3), number(record, 4)}, number(record, 5)});
        });
    if (!read) {
        return table.fault();
    }
    return terms;
}

ReadResult<QHash<ModelKey, StockMinimum>>
minimumsOf(const ReadResult<QHash<ModelKey, ReorderTerms>> &terms)
{
    if (!terms) {
        return terms.fault();
    }
    QHash<ModelKey, StockMinimum> minimums;
    minimums.reserve(terms->size());
    for (auto term = terms->cbegin(); term != terms->cend(); ++term) {
        minimums.insert(term.key(), term->minimum);
    }
    return minimums;
}

RecordFilter rowOf(const ModelKey &key)
{
    return RecordFilter::textsEqual(
        {{fields::品类, key.category}, {fields::名称, key.item}, {fields::型号, key.model}});
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
    return minimumsOf(readTerms(book, RecordFilter::all()));
}

ReadResult<QHash<ModelKey, StockMinimum>> readMinimumsOf(const Book &book, const QString &category,
                                                         const std::optional<QString> &item)
{
    QList<std::pair<QString, QString>> texts{{fields::品类, category}};
    if (item) {
        texts.append({fields::名称, *item});
    }
    return minimumsOf(readTerms(book, RecordFilter::textsEqual(texts)));
}

ReadResult<ReorderList> readReorderList(const Book &book)
{
    const ReadResult<QHash<ModelKey, ReorderTerms>> terms = readTerms(book, RecordFilter::all());
    if (!terms) {
        return terms.fault();
    }
    ReorderList list;
    if (terms->isEmpty()) {
        return list;
    }
    ReadResult<std::vector<ModelRecord>> models = readAllModels(book);
    if (!models) {
        return models.fault();
    }
    for (ModelRecord &model : *models) {
        const auto found = terms->constFind({model.category, model.item, model.model});
        if (found == terms->cend()) {
            continue;
        }
        const std::optional<double> suggested = suggestedOrder(model.stock, found->minimum);
        if (!suggested) {
            continue;
        }
        ReorderLine line{std::move(model), found->minimum, *suggested, found->purchase,
                         std::nullopt};
        if (line.purchase) {
            line.amount = amountOf(*suggested, *line.purchase);
            list.total += *line.amount;
        }
        list.lines.push_back(std::move(line));
    }
    return list;
}

ReadResult<bool> bookingCrossedMinimum(const Book &book, const ModelKey &key, double change)
{
    const ReadResult<QHash<ModelKey, ReorderTerms>> terms = readTerms(book, rowOf(key));
    if (!terms) {
        return terms.fault();
    }
    const auto found = terms->constFind(key);
    if (found == terms->cend()) {
        return false;
    }
    const ReadResult<std::vector<ModelRecord>> models = readModelsMatching(book, rowOf(key));
    if (!models) {
        return models.fault();
    }
    if (models->empty()) {
        return false;
    }
    const double stock = models->front().stock;
    return belowMinimum(stock, found->minimum.minimum) !=
           belowMinimum(stock - change, found->minimum.minimum);
}

} // namespace kucun
