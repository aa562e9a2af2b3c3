#pragma once

#include "StocktakeWindow.h"

#include <QString>

namespace kucun {

class FormPreview;

// 按钮盘点: opens the count, with the counts kept from last time if any.
void openStocktake(StocktakeContext &context);
// Another category or day: the sheet is read again; what was counted of
// the models still on it stays.
void reloadCountSheet(StocktakeContext &context);
// A figure typed into 实盘 of a row; typed again, or Enter on it, it counts
// against the 账面 shown. A figure that can't be booked is refused on its row.
void enterCount(StocktakeContext &context, int row, const QString &text);
// A code scanned in the window: one more of its model counted (1 when none
// was), with its row shown and made current; the count is kept at once, as
// a typed one is. A code of a model outside the category counted, or one
// no model bears, is told.
void countScannedModel(StocktakeContext &context, const QString &code);
// 只看差异, pressed or released: only the rows that differ or wait, or all.
void showOnlyDifferences(StocktakeContext &context);
void printCountSheet(StocktakeContext &context, FormPreview &preview);
// 盘点入账: books every difference, once the user agrees.
void bookCountedDifferences(StocktakeContext &context);
// 放弃盘点: forgets what was counted.
void discardCount(StocktakeContext &context);

} // namespace kucun
