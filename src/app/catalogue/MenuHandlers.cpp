#include "MenuHandlers.h"

#include "ModelLists.h"
#include "app/AppContext.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QLabel>

namespace kucun {

void onBookingItemChosen(AppContext &context, int group, int item)
{
    context.form.标签进销名称->setText(context.form.卷帘式菜单1->itemText(group, item));
    loadModelList(context, ModelList::Booking);
}

void onBookingGroupChosen(AppContext &context)
{
    context.form.标签进销名称->clear();
    context.form.超级列表框进销->list().clear();
}

void onBookingModelSelected(AppContext &context)
{
    const ListView &models = *context.form.超级列表框进销;
    const int row = models.selectedRow();
    if (row >= 0) {
        context.form.标签进销型号->setText(models.cellText(row, 1));
    }
}

void hideBookingGroup(AppContext &context, int group)
{
    context.form.卷帘式菜单1->hideGroup(group);
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

} // namespace kucun
