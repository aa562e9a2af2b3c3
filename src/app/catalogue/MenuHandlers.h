#pragma once

class QModelIndex;

namespace kucun {

struct AppContext;

// Booking page: an item chosen lists its models (chosen with the keyboard,
// the keyboard goes on to them); a group chosen empties the list.
void onBookingItemChosen(AppContext &context, int group, int item);
void onBookingGroupChosen(AppContext &context);
// A selected model row shows its 型号 beside the quantity boxes.
void onBookingModelSelected(AppContext &context);
// Enter (or a double click) on a model row selects it and goes on to its quantity.
void onBookingModelActivated(AppContext &context, const QModelIndex &row);
// A group of the booking menu the user wants out of sight is hidden; when it
// was the group in use, its models go from the list as well.
void hideBookingGroup(AppContext &context, int group);
// 按钮显示菜单: every group hidden so far is shown again.
void showHiddenBookingGroups(AppContext &context);

// Settings page: an item chosen lists its models.
void onMaintenanceItemChosen(AppContext &context, int group, int item);
// A selected model row puts its 型号, 单位 and 备注 into the boxes that
// modify it.
void onMaintenanceModelSelected(AppContext &context);

} // namespace kucun
