#include "MaintenanceHandlers.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueChanges.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QLineEdit>
#include <optional>

namespace kucun {

namespace {

// The outcomes every change tells the same way; true when it was done.
bool toldOutcome(AppContext &context, Outcome<CatalogueOutcome> outcome)
{
    if (outcome == CatalogueOutcome::AlreadyThere) {
        // Another copy gave a model this text after the list was shown.
        warn(context.dialogs, QStringLiteral("修改的项目已存在！"));
        return false;
    }
    toldTableFailure(context.dialogs, outcome.fault(),
                     QStringLiteral("数据写入失败，项目未改变，请稍后重试！"));
    return outcome.done();
}

struct ChosenItem
{
    QString category;
    QString item;
};

// The item chosen in the settings page's menu, if one is.
std::optional<ChosenItem> chosenItem(const RollUpMenu &menu)
{
    const int group = menu.currentGroup();
    const int item = menu.currentItem();
    if (group < 0 || item < 0) {
        return std::nullopt;
    }
    return ChosenItem{menu.groupText(group), menu.itemText(group, item)};
}

ModelTexts typedModel(const Form &form)
{
    return {form.编辑框型号->text(), form.编辑框单位->text(), form.编辑框型号备注->text()};
}

// A model needs a 型号 and a 单位: true when both boxes hold one, otherwise
// tells the first that is missing.
bool modelBoxesFilled(AppContext &context)
{
    const Form &form = context.form;
    if (isBlank(form.编辑框型号->text())) {
        inform(context.dialogs, QStringLiteral("请填写型号信息！"));
        return false;
    }
    if (isBlank(form.编辑框单位->text())) {
        inform(context.dialogs, QStringLiteral("请填写单位信息！"));
        return false;
    }
    return true;
}

bool confirmed(AppContext &context, const QString &question, const QString &caption,
               Dialogs::Icon icon)
{
    return context.dialogs.message(question, caption, icon, Dialogs::Buttons::OkCancel);
}

} // namespace

void addTypedCategory(AppContext &context)
{
    const QString category = context.form.编辑框品类->text();
    if (isBlank(category)) {
        inform(context.dialogs, QStringLiteral("请填写品类信息！"));
        return;
    }
    const Outcome<CatalogueOutcome> outcome =
        addCategory(context.folders, category, context.changes);
    if (outcome == StoreFault::WriteFailed) {
        warn(context.dialogs, QStringLiteral("品类添加失败，请联系设计人员！"));
    } else if (toldTableFailure(context.dialogs, outcome.fault(), QString())) {
        return;
    }
    RollUpMenu &menu = *context.form.卷帘式菜单2;
    menu.setCurrentGroup(menu.groupCount() - 1);
}

void addTypedItem(AppContext &context)
{
    Form &form = context.form;
    const int category = form.组合框品类->currentIndex();
    if (category < 0) {
        warn(context.dialogs, QStringLiteral("请先选择品类，然后在当前品类下添加项目！"));
        return;
    }
    const QString item = form.编辑框名称->text();
    if (isBlank(item)) {
        inform(context.dialogs, QStringLiteral("请填写名称信息！"));
        return;
    }
    if (!toldOutcome(context, addItem(context.folders, form.组合框品类->currentText(), item,
                                      context.changes))) {
        return;
    }
    form.编辑框名称->clear();
    form.卷帘式菜单2->setCurrentGroup(category);
    form.组合框品类->setCurrentIndex(category);
}

void addTypedModel(AppContext &context)
{
    const Form &form = context.form;
    const std::optional<ChosenItem> chosen = chosenItem(*form.卷帘式菜单2);
    if (!chosen) {
        inform(context.dialogs, QStringLiteral("请选择要添加的型号的项目！"));
        return;
    }
    if (!modelBoxesFilled(context)) {
        return;
    }
    const Outcome<CatalogueOutcome> outcome = addModel(
        context.folders, chosen->category, chosen->item, typedModel(form), context.changes);
    if (outcome == CatalogueOutcome::AlreadyThere) {
        inform(context.dialogs, QStringLiteral("您要添加的型号或颜色已经存在请核实！"));
        return;
    }
    toldOutcome(context, outcome);
}

void modifySelectedModel(AppContext &context)
{
    const Form &form = context.form;
    const ListView &models = *form.超级列表框设置;
    const int selected = models.selectedRow();
    if (selected < 0) {
        warn(context.dialogs, QStringLiteral("请选择要修改的项目！"));
        return;
    }
    if (!modelBoxesFilled(context)) {
        return;
    }
    const ModelTexts typed = typedModel(form);
    for (int row = 0; row < models.rowCount(); ++row) {
        const ModelRecord listed = modelInRow(models, row);
        if (listed.model != typed.model) {
            continue;
        }
        const bool unchanged = listed.unit == typed.unit && listed.remark == typed.remark;
        if (row != selected || unchanged) {
            warn(context.dialogs, QStringLiteral("修改的项目已存在！"));
            return;
        }
    }
    const std::optional<ChosenItem> chosen = chosenItem(*form.卷帘式菜单2);
    if (!chosen) {
        return; // the list shows no item's models: nothing to find
    }
    const Outcome<CatalogueOutcome> outcome =
        modifyModel(context.folders, chosen->category, chosen->item,
                    modelInRow(models, selected).model, typed, context.changes);
    if (toldOutcome(context, outcome)) {
        inform(context.dialogs, QStringLiteral("修改成功！"));
    }
}

void deleteSelectedModel(AppContext &context)
{
    const Form &form = context.form;
    const std::optional<ChosenItem> chosen = chosenItem(*form.卷帘式菜单2);
    const int selected = form.超级列表框设置->selectedRow();
    if (!chosen || selected < 0) {
        inform(context.dialogs, QStringLiteral("请选择要删除的型号！"));
        return;
    }
    const auto confirm = [&context] {
        return confirmed(context, QStringLiteral("您确定要删除此型号吗？"), QString(),
                         Dialogs::Question);
    };
    toldOutcome(context, deleteModel(context.folders, chosen->category, chosen->item,
                                     modelInRow(*form.超级列表框设置, selected).model, confirm,
                                     context.changes));
}

void deleteChosenItem(AppContext &context)
{
    RollUpMenu &menu = *context.form.卷帘式菜单2;
    const std::optional<ChosenItem> chosen = chosenItem(menu);
    if (!chosen) {
        inform(context.dialogs, QStringLiteral("请选择要删除的项目名称！"));
        return;
    }
    if (!confirmed(context, QStringLiteral("删除当前项目，该项目下的型号也会删除。您确定删除吗？"),
                   QStringLiteral("当前要删除的是  ") + chosen->item, Dialogs::Warning)) {
        return;
    }
    const int group = menu.currentGroup();
    if (!toldOutcome(context, deleteItem(context.folders, chosen->category, chosen->item,
                                         context.changes))) {
        return;
    }
    menu.setCurrentGroup(group);
    inform(context.dialogs, QStringLiteral("删除成功！"));
}

void deleteChosenCategory(AppContext &context)
{
    const RollUpMenu &menu = *context.form.卷帘式菜单2;
    const int group = menu.currentGroup();
    if (group < 0) {
        inform(context.dialogs, QStringLiteral("请选择要删除的品类！"));
        return;
    }
    const QString category = menu.groupText(group);
    if (!confirmed(context, QStringLiteral("删除当前品类，该品类下的项目也会全部删除，您确定吗？"),
                   QStringLiteral("当前要删除的是  ") + category, Dialogs::Warning)) {
        return;
    }
    if (toldOutcome(context,
                    deleteCategory(context.folders, group + 1, category, context.changes))) {
        inform(context.dialogs, QStringLiteral("删除成功！"));
    }
}

} // namespace kucun
