#pragma once

#include "book/catalogue/CatalogueReads.h"
#include "book/money/LowStock.h"
#include "ui/RowModel.h"

namespace kucun {

struct AppContext;
struct AppState;
class Dialogs;
class ListView;
class RollUpMenu;
class ValueTexts;

// The cells a model list shows after the row number.
enum class ModelColumns
{
    Booking,     // 超级列表框进销: 型号, 库存, 单位, 备注
    Maintenance, // 超级列表框设置: 型号, 单位, 备注
    Report,      // a stock report: 品类, 名称, 型号, 库存, 单位, 备注
};

// The models of the item chosen in a roll-up menu; none when no item is chosen.
ReadResult<std::vector<ModelRecord>> modelsOfChosenItem(const Book &book, const RollUpMenu &menu);

// The minimums of 型号资料 a model list marks its rows by.
using Minimums = QHash<ModelKey, StockMinimum>;

// Fills the list with the models in table order, numbering the rows from 1
// and marking those below their minimum; returns their total stock.
double showModelList(ListView &list, ModelColumns columns, const std::vector<ModelRecord> &models,
                     const Minimums &minimums = {});

// Clears the list, then fills it with the models read, or tells why they
// could not be read. Their total stock; nothing when they could not be read.
// Minimums that could not be read mark no row: the stock shows as ever.
std::optional<double> loadModelList(Dialogs &dialogs, ListView &list, ModelColumns columns,
                                    const ReadResult<std::vector<ModelRecord>> &models,
                                    const ReadResult<Minimums> &minimums = Minimums());

// Whether the model's stock lies below the minimum 型号资料 gives it.
bool isBelowMinimum(const ModelRecord &model, const Minimums &minimums);

// A row of a stock report: 品类, 名称, 型号, 库存, 单位 and 备注 after the
// row number.
ListRow stockReportRow(const ModelRecord &model, ValueTexts &texts);

// The model a row of a model list shows, as read; an empty record outside
// the list.
ModelRecord modelInRow(const ListView &list, int row);

// Reads the categories of table 品类 and the items of table 名称 into the
// shared state, telling each table that can't be read.
void readCatalogue(AppContext &context);

// Rebuilds a roll-up menu from the catalogue read: a group per category,
// each item under the first group of its category.
void showCatalogue(RollUpMenu &menu, const AppState &state);

} // namespace kucun
