#pragma once

#include "MaintenancePage.h"

namespace kucun {

class FormPreview;

// After the catalogue was read: the menu and 组合框品类 show its categories
// and items; the item chosen before is gone, so its models and name are
// cleared.
void showMaintenanceCatalogue(MaintenanceContext &context);
// The models of the item chosen in 卷帘式菜单2, into 超级列表框设置.
void loadMaintenanceModels(MaintenanceContext &context);
// An item chosen lists its models.
void onMaintenanceItemChosen(MaintenanceContext &context, int group, int item);
// A selected model row puts its 型号, 单位 and 备注 into the boxes that
// modify it.
void onMaintenanceModelSelected(MaintenanceContext &context);

// The catalogue buttons. Each checks the boxes in
// order, asks where it must, makes its change through the stock book and
// tells the outcome; the lists reload as the change is announced.
void addTypedCategory(MaintenanceContext &context);
void addTypedItem(MaintenanceContext &context);
void addTypedModel(MaintenanceContext &context);
void modifySelectedModel(MaintenanceContext &context);
void deleteSelectedModel(MaintenanceContext &context);
void deleteChosenItem(MaintenanceContext &context);
void deleteChosenCategory(MaintenanceContext &context);

// 打印条码: asks the copies of each selected model's label and the sheet,
// then shows the labels of the models that have a code in the preview.
void printSelectedLabels(MaintenanceContext &context, FormPreview &preview);

} // namespace kucun
