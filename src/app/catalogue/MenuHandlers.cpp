#include "MenuHandlers.h"

#include "ModelLists.h"
#include "app/AppContext.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace kucun {

void onBookingItemChosen(AppContext &context, int group, int item)
{
    context.state.bookingFilter.reset();
    context.form.标签进销名称->setText(context.form.卷帘式菜单1->itemText(group, item));
    loadModelList(context, ModelList::Booking);
    // Choosing with the keyboard goes on to picking a model.
    if (context.form.卷帘式菜单1->isAncestorOf(QApplication::focusWidget())) {
        context.form.超级列表框进销->setFocus();
    }
}

void onBookingGroupChosen(AppContext &context)
{
    context.state.bookingFilter.reset();
    context.form.标签进销名称->clear();
    context.form.超级列表框进销->list().clear();
}

void onBookingModelSelected(AppContext &context)
{
    const ListView &models = *context.form.超级列表框进销;
    const int row = models.selectedRow();
    if (row >= 0) {
        context.form.标签进销型号->setText(modelInRow(models, row).model);
    }
}

void onBookingModelActivated(AppContext &context, const QModelIndex &row)
{
    context.form.超级列表框进销->selectRow(row.row());
    context.form.编辑框入库->setFocus();
}

void hideBookingGroup(AppContext &context, int group)
{
    RollUpMenu &menu = *context.form.卷帘式菜单1;
    const bool inUse = menu.currentGroup() == group;
    if (menu.hideGroup(group) && inUse) {
        // The models of a category out of sight are not booked by mistake.
        onBookingGroupChosen(context);
    }
}

void showHiddenBookingGroups(AppContext &context)
{
    RollUpMenu &menu = *context.form.卷帘式菜单1;
    for (int group = 0; group < menu.groupCount(); ++group) {
        if (menu.isGroupHidden(group)) {
            menu.showGroup(group);
        }
    }
}

void onMaintenanceItemChosen(AppContext &context, int group, int item)
{
    context.form.标签设置名称->setText(context.form.卷帘式菜单2->itemText(group, item));
    loadModelList(context, ModelList::Maintenance);
}

void onMaintenanceModelSelected(AppContext &context)
{
    Form &form = context.form;
    const ListView &models = *form.超级列表框设置;
    const int row = models.selectedRow();
    if (row < 0) {
        return;
    }
    const ModelRecord chosen = modelInRow(models, row);
    form.编辑框型号->setText(chosen.model);
    form.编辑框单位->setText(chosen.unit);
    form.编辑框型号备注->setText(chosen.remark);
}

} // namespace kucun
