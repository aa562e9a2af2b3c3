#include "ModelPrices.h"

#include "AverageCost.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/codes/Barcodes.h"
#include "book/stock/Booking.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <functional>
#include <vector>

namespace kucun {

namespace {

// A stored value of a price that may be none.
QVariant storedPrice(std::optional<double> price)
{
    return price ? QVariant(*price) : QVariant::fromValue(nullptr);
}

// The values of a record of the table in its field order: the named fields
// hold theirs, the others none (left alone by a modify).
QVariantList inFieldOrder(const QString &table, const QList<std::pair<QString, QVariant>> &named)
{
    const FieldList &fields = tables::fieldsOf(table);
    QVariantList values(fields.size());
    for (const auto &[name, value] : named) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (fields[i].name == name) {
                values[i] = value;
            }
        }
    }
    return values;
}

// The price of the newest stock-in of the model that has one: the newest
// by date, then by booking order.
std::optional<std::optional<double>> lastStockInPrice(const Book &book, const ModelKey &key)
{
    Table log;
    if (!book.open(log, tables::明细) || !book.attach(log, tables::明细金额)) {
        return std::nullopt;
    }
    std::vector<std::pair<QDateTime, qint64>> stockIns;
    const bool read = log.forEachMatching(
        modelRowFilter(key), {fields::日期, fields::入库}, [&stockIns](const Record &movement) {
            if (movement.numberAt(1) > 0) {
                stockIns.emplace_back(movement.dateTimeAt(0), movement.rowId());
            }
        });
    if (!read) {
        return std::nullopt;
    }
    std::sort(stockIns.begin(), stockIns.end(), std::greater<>());
    for (size_t start = 0; start < stockIns.size(); start += RecordFilter::maximumIds) {
        QList<qint64> ids;
        for (size_t i = start; i < stockIns.size() && i < start + RecordFilter::maximumIds; ++i) {
            ids << stockIns[i].second;
        }
        QHash<qint64, double> prices;
        const bool pricesRead = log.forEachIn(
            tables::明细金额, RecordFilter::numbersIn(tables::明细, ids),
            [&prices](const Record &row) {
                if (const std::optional<double> price = row.numberIfAny(fields::单价)) {
                    prices.insert(qint64(row.number(tables::明细)), *price);
                }
            });
        if (!pricesRead) {
            return std::nullopt;
        }
        for (const qint64 id : std::as_const(ids)) {
            if (const auto price = prices.constFind(id); price != prices.cend()) {
                return std::optional<double>(*price);
            }
        }
    }
    return std::optional<double>();
}

} // namespace

RecordFilter modelRowFilter(const ModelKey &key)
{
    return RecordFilter::textsEqual(
        {{fields::品类, key.category}, {fields::名称, key.item}, {fields::型号, key.model}});
}

bool setModelFields(Table &table, const ModelKey &key, QList<std::pair<QString, QVariant>> named)
{
    const std::optional<qint64> changed = table.modifyMatching(
        tables::型号资料, modelRowFilter(key), inFieldOrder(tables::型号资料, named));
    if (!changed) {
        return false;
    }
    if (*changed > 0) {
        return true;
    }
    named << std::pair{fields::品类, QVariant(key.category)}
          << std::pair{fields::名称, QVariant(key.item)}
          << std::pair{fields::型号, QVariant(key.model)};
    return table.appendTo(tables::型号资料, inFieldOrder(tables::型号资料, named));
}

ReadResult<ModelPrices> readStoredPrices(const Book &book, const ModelKey &key)
{
    Table models;
    if (!book.open(models, tables::型号资料)) {
        return models.fault();
    }
    const std::optional<ModelPrices> prices = readModelPrices(models, key);
    if (!prices) {
        return models.fault();
    }
    return *prices;
}

ReadResult<ModelCodeAndLevels> readCodeAndLevels(const Book &book, const ModelKey &key)
{
    Table models;
    if (!book.open(models, tables::型号资料)) {
        return models.fault();
    }
    ModelCodeAndLevels kept;
    const bool read = models.forEachMatching(modelRowFilter(key), [&kept](const Record &row) {
        kept = {row.text(fields::条码), row.numberIfAny(fields::最低库存),
                row.numberIfAny(fields::补货至)};
    });
    if (!read) {
        return models.fault();
    }
    return kept;
}

ReadResult<ModelPrices> readBookingPrices(const Book &book, const ModelKey &key)
{
    ReadResult<ModelPrices> prices = readStoredPrices(book, key);
    if (!prices) {
        return prices;
    }
    if (!prices->purchase) {
        const auto last = lastStockInPrice(book, key);
        if (!last) {
            return StoreFault::Unavailable;
        }
        prices->purchase = *last;
    }
    return *prices;
}

ReadResult<QHash<ModelKey, ModelPrices>> readAllModelPrices(const Book &book)
{
    Table models;
    if (!book.open(models, tables::型号资料)) {
        return models.fault();
    }
    QHash<ModelKey, ModelPrices> all;
    const bool read = models.forEachMatching(RecordFilter::all(), [&all](const Record &row) {
        all.insert({row.text(fields::品类), row.text(fields::名称), row.text(fields::型号)},
                   {row.numberIfAny(fields::进价), row.numberIfAny(fields::售价),
                    row.numberIfAny(fields::成本价)});
    });
    if (!read) {
        return models.fault();
    }
    return all;
}

std::optional<ModelPrices> readModelPrices(Table &table, const ModelKey &key)
{
    ModelPrices prices;
    const bool read =
        table.forEachIn(tables::型号资料, modelRowFilter(key), [&prices](const Record &row) {
            prices = {row.numberIfAny(fields::进价), row.numberIfAny(fields::售价),
                      row.numberIfAny(fields::成本价)};
        });
    if (!read) {
        return std::nullopt;
    }
    return prices;
}

bool saveSalePrices(Table &table, const ModelKey &key, std::optional<double> purchase,
                    std::optional<double> sale)
{
    return setModelFields(
        table, key, {{fields::进价, storedPrice(purchase)}, {fields::售价, storedPrice(sale)}});
}

bool saveTypedModelFields(Table &table, const ModelKey &key, const ModelTexts &texts)
{
    return setModelFields(table, key,
                          {{fields::进价, storedPrice(texts.purchasePrice)},
                           {fields::售价, storedPrice(texts.salePrice)},
                           {fields::条码, storedBarcode(texts.barcode)},
                           {fields::最低库存, storedPrice(texts.minimum)},
                           {fields::补货至, storedPrice(texts.restockTo)}});
}

bool carryModelPrices(Table &table, const ModelKey &from, const ModelKey &to, bool fromStays)
{
    if (from == to) {
        return true;
    }
    // No model bears the new texts: a row of them is a leftover.
    if (!removeModelPrices(table, modelRowFilter(to))) {
        return false;
    }
    if (fromStays) {
        return true;
    }
    return table
        .modifyMatching(tables::型号资料, modelRowFilter(from),
                        inFieldOrder(tables::型号资料, {{fields::品类, to.category},
                                                        {fields::名称, to.item},
                                                        {fields::型号, to.model}}))
        .has_value();
}

bool removeModelPrices(Table &table, const RecordFilter &filter)
{
    return table.removeMatching(tables::型号资料, filter);
}

bool writeMovementMoney(Table &table, const Movement &movement, double stockBefore,
                        qint64 movementId)
{
    const ModelKey key{movement.category, movement.item, movement.model};
    const std::optional<ModelPrices> prices = readModelPrices(table, key);
    if (!prices) {
        return false;
    }
    const std::optional<double> cost =
        costAfter(stockBefore, prices->cost, movement.kind == MovementKind::In,
                  double(movement.quantity), movement.unitPrice);
    if (cost != prices->cost &&
        !setModelFields(table, key, {{fields::成本价, storedPrice(cost)}})) {
        return false;
    }
    return table.removeMatching(tables::明细金额,
                                RecordFilter::numbersIn(tables::明细, {movementId})) &&
           table.appendTo(tables::明细金额,
                          {movementId, storedPrice(movement.unitPrice), storedPrice(cost)});
}

} // namespace kucun
