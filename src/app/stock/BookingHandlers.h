#pragma once

#include "BookingPage.h"

class QModelIndex;

namespace kucun {

// After the catalogue was read: the menu shows its categories and items;
// the item chosen before is gone, so its models and name are cleared.
void showBookingCatalogue(BookingContext &context);

// An item chosen lists its models (chosen with the keyboard, the keyboard
// goes on to them); a group chosen empties the list.
void onBookingItemChosen(BookingContext &context, int group, int item);
void onBookingGroupChosen(BookingContext &context);
// A selected model row shows its 型号 beside the quantity boxes, and fills
// the price boxes: its 进价 (or its last stock-in price) and its 售价.
void onBookingModelSelected(BookingContext &context);
// As a quantity or a price is typed: 金额 = quantity × price beside it,
// empty while either is empty or no number.
void showBookingAmounts(BookingContext &context);
// Enter (or a double click) on a model row selects it and goes on to its quantity.
void onBookingModelActivated(BookingContext &context, const QModelIndex &row);
// A group of the menu the user wants out of sight is hidden; when it was
// the group in use, its models go from the list as well.
void hideBookingGroup(BookingContext &context, int group);
// 按钮显示菜单: every group hidden so far is shown again.
void showHiddenBookingGroups(BookingContext &context);

// Keeps the rows of 超级列表框进销 whose 型号 or 备注 contains the keyword of
// 编辑框_关键字, then renumbers them. Works on the list alone.
void filterBookingModels(BookingContext &context);
// After a stock change: the model list, filtered again with the keyword it
// was filtered with.
void reloadStockLists(BookingContext &context);
// After another computer changed stock: the same, and the model chosen stays
// chosen, so a booking being typed here is not torn away.
void followStockElsewhere(BookingContext &context);

// 按钮台账: asks for the ledger of the model chosen in 超级列表框进销.
void askLedgerOfChosenModel(BookingContext &context);

// 按钮入库: books the quantity of 编辑框入库 into the selected model.
void bookStockIn(BookingContext &context);
// 按钮出库: books the quantity of 编辑框出库 out of the selected model.
void bookStockOut(BookingContext &context);

// A code scanned on the page, or typed into 编辑框条码查找: its model is
// chosen, its item in the menu and its row in the list, and 1 is put into
// the quantity box last typed into (入库 before any), selected, with the
// keyboard there, so that Enter books one piece and a typed number replaces
// the 1. An unknown code is told; it is given to the selected model, if
// there is one, once the owner agrees.
void chooseModelByBarcode(BookingContext &context, const QString &code);
// Enter in 编辑框条码查找: the code typed, as if scanned.
void lookUpTypedBarcode(BookingContext &context);

// Fills the day log with the movements of the day of 日期框进销.
void loadDayLog(BookingContext &context);
// After a booking: the day log again, scrolled to the new movement, the day's last.
void showNewMovement(BookingContext &context);

} // namespace kucun
