#pragma once

#include "book/ReadResult.h"
#include "book/catalogue/ModelKey.h"
#include "book/files/Book.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <optional>

namespace kucun {

struct RecordFilter;
class Table;
struct Movement;
struct ModelTexts;

// What 型号资料 keeps of a model's prices; none where it has none.
struct ModelPrices
{
    std::optional<double> purchase; // 进价
    std::optional<double> sale;     // 售价
    std::optional<double> cost;     // 成本价, the moving average
};

// The model's row of 型号资料 as it is kept; all none when it has none.
ReadResult<ModelPrices> readStoredPrices(const Book &book, const ModelKey &key);

// The code and stock levels 型号资料 keeps of a model: an empty code and
// no levels where it has none.
struct ModelCodeAndLevels
{
    QString barcode;
    std::optional<double> minimum;   // 最低库存
    std::optional<double> restockTo; // 补货至
};
ReadResult<ModelCodeAndLevels> readCodeAndLevels(const Book &book, const ModelKey &key);

// The prices the booking page starts a model's boxes with: its 进价 (or,
// when it has none, the price of its newest priced stock-in), its 售价 and
// its 成本价. A book whose own tables can't be read gives no prices.
ReadResult<ModelPrices> readBookingPrices(const Book &book, const ModelKey &key);

// The prices of every model that has a row of 型号资料.
ReadResult<QHash<ModelKey, ModelPrices>> readAllModelPrices(const Book &book);

// The filter of the model's row of 型号资料.
RecordFilter modelRowFilter(const ModelKey &key);

// The steps below run in a transaction the caller holds, on a table with
// 型号资料 attached (明细金额 too, for the movement's row). Each is false, or
// nothing, when the file failed; the caller rolls back.

// The model's row of 型号资料; all none when it has no row.
std::optional<ModelPrices> readModelPrices(Table &table, const ModelKey &key);
// Sets these fields of the model's row, keeping its others; a model without
// a row gets one.
bool setModelFields(Table &table, const ModelKey &key, QList<std::pair<QString, QVariant>> named);
// Sets the model's 进价 and 售价, keeping its other fields; a model without a
// row gets one.
bool saveSalePrices(Table &table, const ModelKey &key, std::optional<double> purchase,
                    std::optional<double> sale);
// Sets what the owner types of a model on the settings page: its 进价, 售价,
// 条码, 最低库存 and 补货至, keeping its 成本价.
bool saveTypedModelFields(Table &table, const ModelKey &key, const ModelTexts &texts);
// Gives the row of `from` to `to` (a renamed model). `fromStays`: another
// model still bears the old texts, so it keeps its row and `to` gets a copy.
bool carryModelPrices(Table &table, const ModelKey &from, const ModelKey &to, bool fromStays);
// Deletes the rows of the models the filter names.
bool removeModelPrices(Table &table, const RecordFilter &filter);
// The money of a movement just appended to 明细 as `movementId`, the model's
// stock before it being `stockBefore`: its 成本价 in 型号资料 moves by the
// average, and its 明细金额 row holds its price and the cost after it (a
// row left by a movement of that id before is replaced).
bool writeMovementMoney(Table &table, const Movement &movement, double stockBefore,
                        qint64 movementId);

} // namespace kucun
