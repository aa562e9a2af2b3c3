#pragma once

#include "book/catalogue/CatalogueReads.h"
#include "ui/RowModel.h"

namespace kucun {

struct AppContext;
class ListView;
class ValueTexts;

// The lists of models the model list loader fills from table 型号.
enum class ModelList
{
    Booking,     // 超级列表框进销: models of the item chosen on the booking page
    Maintenance, // 超级列表框设置: models of the item chosen on the settings page
    WholeStock,  // 超级列表框总库存 and its total
};

// Clears the list and fills it from 型号 in table order, numbering the rows
// from 1.
void loadModelList(AppContext &context, ModelList list);

// The same from models already read from 型号 (all of them, for the whole
// stock).
void showModelList(AppContext &context, ModelList list, const std::vector<ModelRecord> &models);

// Keeps the rows of 超级列表框进销 whose 型号 or 备注 contains the keyword of
// 编辑框_关键字, then renumbers them. Works on the list alone.
void filterBookingModels(AppContext &context);

// A row of a stock report: 品类, 名称, 型号, 库存, 单位 and 备注 after the
// row number.
ListRow stockReportRow(const ModelRecord &model, ValueTexts &texts);

// The model a row of a model list shows, as read; an empty record outside
// the list.
ModelRecord modelInRow(const ListView &list, int row);

// After a stock change: the booking page's model list, filtered again with
// the keyword it was filtered with. The whole stock follows with the reports.
void reloadStockLists(AppContext &context);

} // namespace kucun
