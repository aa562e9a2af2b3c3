#include "MaintenanceHandlers.h"

#include "MaintenancePage.h"
#include "ModelLists.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/backup/BackupHandlers.h"
#include "app/settings/LookHandlers.h"
#include "app/settings/PasswordHandlers.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/codes/Barcodes.h"
#include "book/money/ModelPrices.h"
#include "book/money/Money.h"
#include "ui/ColourPicker.h"
#include "ui/Dialogs.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

namespace kucun {

namespace {

// The outcomes every change tells the same way; true when it was done.
// `codeBearer`: the model that keeps a code refused.
bool toldOutcome(MaintenanceContext &context, Outcome<CatalogueOutcome> outcome,
                 const ModelKey &codeBearer = {})
{
    if (outcome == CatalogueOutcome::AlreadyThere) {
        // Another copy gave a model this text after the list was shown.
        warn(context.dialogs, QStringLiteral("修改的项目已存在！"));
        return false;
    }
    if (outcome == CatalogueOutcome::CodeTaken) {
        warn(context.dialogs, QStringLiteral("条码已被其他型号使用：") + codeBearer.category +
                                  u'/' + codeBearer.item + u'/' + codeBearer.model);
        return false;
    }
    if (outcome == CatalogueOutcome::RestockBelowMinimum) {
        warn(context.dialogs, QStringLiteral("补货至不能小于最低库存！"));
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

// The model the boxes describe, once a 型号 and a 单位 are typed and the
// prices and stock levels are empty or numbers ≥ 0; otherwise nothing,
// after telling the first that is missing or wrong.
std::optional<ModelTexts> typedModel(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    if (isBlank(page.编辑框型号->text())) {
        inform(context.dialogs, QStringLiteral("请填写型号信息！"));
        return std::nullopt;
    }
    if (isBlank(page.编辑框单位->text())) {
        inform(context.dialogs, QStringLiteral("请填写单位信息！"));
        return std::nullopt;
    }
    const TypedPrice purchase = parseUnitPrice(page.编辑框进价->text());
    const TypedPrice sale = parseUnitPrice(page.编辑框售价->text());
    if (!purchase.valid || !sale.valid) {
        warn(context.dialogs, QStringLiteral("单价须为不小于0的数字！"));
        return std::nullopt;
    }
    // A level is typed as a price is: empty for none, or a number ≥ 0.
    const TypedPrice minimum = parseUnitPrice(page.编辑框最低库存->text());
    if (!minimum.valid) {
        warn(context.dialogs, QStringLiteral("最低库存须为不小于0的数字！"));
        return std::nullopt;
    }
    const TypedPrice restockTo = parseUnitPrice(page.编辑框补货至->text());
    if (!restockTo.valid) {
        warn(context.dialogs, QStringLiteral("补货至须为不小于0的数字！"));
        return std::nullopt;
    }
    return ModelTexts{page.编辑框型号->text(),
                      page.编辑框单位->text(),
                      page.编辑框型号备注->text(),
                      purchase.price,
                      sale.price,
                      normalizedBarcode(page.编辑框条码->text()),
                      minimum.price,
                      restockTo.price};
}

// True when the model's row of 型号资料 holds what the boxes say.
bool keptAsTyped(const Book &book, const ModelKey &key, const ModelTexts &typed)
{
    const ReadResult<ModelPrices> prices = readStoredPrices(book, key);
    const ReadResult<ModelCodeAndLevels> kept = readCodeAndLevels(book, key);
    return prices && kept && prices->purchase == typed.purchasePrice &&
           prices->sale == typed.salePrice && kept->barcode == typed.barcode &&
           kept->minimum == typed.minimum && kept->restockTo == typed.restockTo;
}

QString levelText(std::optional<double> level)
{
    return level ? numberText(*level) : QString();
}

QString priceText(std::optional<double> price)
{
    return price ? unitPriceText(*price) : QString();
}

bool confirmed(MaintenanceContext &context, const QString &question, const QString &caption,
               Dialogs::Icon icon)
{
    return context.dialogs.message(question, caption, icon, Dialogs::Buttons::OkCancel);
}

} // namespace

void addTypedCategory(MaintenanceContext &context)
{
    const QString category = context.page.编辑框品类->text();
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
    RollUpMenu &menu = *context.page.卷帘式菜单2;
    menu.setCurrentGroup(menu.groupCount() - 1);
}

void addTypedItem(MaintenanceContext &context)
{
    MaintenancePage &page = context.page;
    const int category = page.组合框品类->currentIndex();
    if (category < 0) {
        warn(context.dialogs, QStringLiteral("请先选择品类，然后在当前品类下添加项目！"));
        return;
    }
    const QString item = page.编辑框名称->text();
    if (isBlank(item)) {
        inform(context.dialogs, QStringLiteral("请填写名称信息！"));
        return;
    }
    if (!toldOutcome(context, addItem(context.folders, page.组合框品类->currentText(), item,
                                      context.changes))) {
        return;
    }
    page.编辑框名称->clear();
    page.卷帘式菜单2->setCurrentGroup(category);
    page.组合框品类->setCurrentIndex(category);
}

void addTypedModel(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    const std::optional<ChosenItem> chosen = chosenItem(*page.卷帘式菜单2);
    if (!chosen) {
        inform(context.dialogs, QStringLiteral("请选择要添加的型号的项目！"));
        return;
    }
    const std::optional<ModelTexts> typed = typedModel(context);
    if (!typed) {
        return;
    }
    ModelKey bearer;
    const Outcome<CatalogueOutcome> outcome =
        addModel(context.folders, chosen->category, chosen->item, *typed, context.changes, &bearer);
    if (outcome == CatalogueOutcome::AlreadyThere) {
        inform(context.dialogs, QStringLiteral("您要添加的型号或颜色已经存在请核实！"));
        return;
    }
    toldOutcome(context, outcome, bearer);
}

void modifySelectedModel(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    const ListView &models = *page.超级列表框设置;
    const int selected = models.selectedRow();
    if (selected < 0) {
        warn(context.dialogs, QStringLiteral("请选择要修改的项目！"));
        return;
    }
    const std::optional<ModelTexts> typed = typedModel(context);
    if (!typed) {
        return;
    }
    for (int row = 0; row < models.rowCount(); ++row) {
        const ModelRecord listed = modelInRow(models, row);
        if (listed.model != typed->model) {
            continue;
        }
        const bool unchanged =
            listed.unit == typed->unit && listed.remark == typed->remark &&
            keptAsTyped(context.folders, {listed.category, listed.item, listed.model}, *typed);
        if (row != selected || unchanged) {
            warn(context.dialogs, QStringLiteral("修改的项目已存在！"));
            return;
        }
    }
    const std::optional<ChosenItem> chosen = chosenItem(*page.卷帘式菜单2);
    if (!chosen) {
        return; // the list shows no item's models: nothing to find
    }
    ModelKey bearer;
    const Outcome<CatalogueOutcome> outcome =
        modifyModel(context.folders, chosen->category, chosen->item,
                    modelInRow(models, selected).model, *typed, context.changes, &bearer);
    if (toldOutcome(context, outcome, bearer)) {
        inform(context.dialogs, QStringLiteral("修改成功！"));
    }
}

void deleteSelectedModel(MaintenanceContext &context)
{
    const MaintenancePage &page = context.page;
    const std::optional<ChosenItem> chosen = chosenItem(*page.卷帘式菜单2);
    const int selected = page.超级列表框设置->selectedRow();
    if (!chosen || selected < 0) {
        inform(context.dialogs, QStringLiteral("请选择要删除的型号！"));
        return;
    }
    const auto confirm = [&context] {
        return confirmed(context, QStringLiteral("您确定要删除此型号吗？"), QString(),
                         Dialogs::Question);
    };
    toldOutcome(context, deleteModel(context.folders, chosen->category, chosen->item,
                                     modelInRow(*page.超级列表框设置, selected).model, confirm,
                                     context.changes));
}

void deleteChosenItem(MaintenanceContext &context)
{
    RollUpMenu &menu = *context.page.卷帘式菜单2;
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

void deleteChosenCategory(MaintenanceContext &context)
{
    const RollUpMenu &menu = *context.page.卷帘式菜单2;
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

void showMaintenanceCatalogue(MaintenanceContext &context)
{
    MaintenancePage &page = context.page;
    showCatalogue(*page.卷帘式菜单2, context.state);
    page.组合框品类->clear();
    page.组合框品类->addItems(context.state.categories);
    // A filled drop-down selects its first entry by itself; a new item's
    // category is the owner's choice, so none is chosen after a reload.
    page.组合框品类->setCurrentIndex(-1);
    page.标签设置名称->clear();
    page.超级列表框设置->list().clear();
}

void loadMaintenanceModels(MaintenanceContext &context)
{
    loadModelList(context.dialogs, *context.page.超级列表框设置, ModelColumns::Maintenance,
                  modelsOfChosenItem(context.folders, *context.page.卷帘式菜单2));
}

void onMaintenanceItemChosen(MaintenanceContext &context, int group, int item)
{
    context.page.标签设置名称->setText(context.page.卷帘式菜单2->itemText(group, item));
    loadMaintenanceModels(context);
}

void onMaintenanceModelSelected(MaintenanceContext &context)
{
    MaintenancePage &page = context.page;
    const ListView &models = *page.超级列表框设置;
    const int row = models.selectedRow();
    if (row < 0) {
        return;
    }
    const ModelRecord chosen = modelInRow(models, row);
    page.编辑框型号->setText(chosen.model);
    page.编辑框单位->setText(chosen.unit);
    page.编辑框型号备注->setText(chosen.remark);
    // Prices that can't be read show as none.
    const ReadResult<ModelPrices> prices =
        readStoredPrices(context.folders, {chosen.category, chosen.item, chosen.model});
    page.编辑框进价->setText(prices ? priceText(prices->purchase) : QString());
    page.编辑框售价->setText(prices ? priceText(prices->sale) : QString());
    const ReadResult<ModelCodeAndLevels> kept =
        readCodeAndLevels(context.folders, {chosen.category, chosen.item, chosen.model});
    page.编辑框条码->setText(kept ? kept->barcode : QString());
    page.编辑框最低库存->setText(kept ? levelText(kept->minimum) : QString());
    page.编辑框补货至->setText(kept ? levelText(kept->restockTo) : QString());
}

void connectMaintenancePage(const MaintenanceContext &context, FormPreview &preview)
{
    MaintenancePage &page = context.page;
    const auto on = [&](auto *sender, auto signal, auto handle) {
        QObject::connect(sender, signal, &page, slotOf(context, handle));
    };
    on(page.卷帘式菜单2, &RollUpMenu::itemChosen, onMaintenanceItemChosen);
    on(page.超级列表框设置, &ListView::rowSelectionChanged, onMaintenanceModelSelected);
    on(page.按钮添加品类, &QPushButton::clicked, addTypedCategory);
    on(page.按钮添加名称, &QPushButton::clicked, addTypedItem);
    on(page.按钮添加型号, &QPushButton::clicked, addTypedModel);
    on(page.按钮修改型号, &QPushButton::clicked, modifySelectedModel);
    on(page.按钮删除型号, &QPushButton::clicked, deleteSelectedModel);
    on(page.按钮删除名称, &QPushButton::clicked, deleteChosenItem);
    on(page.按钮删除品类, &QPushButton::clicked, deleteChosenCategory);
    QObject::connect(page.按钮打印条码, &QPushButton::clicked, &page,
                     slotOf(context, [&preview](MaintenanceContext &maintenance) {
                         printSelectedLabels(maintenance, preview);
                     }));
    on(page.按钮保存, &QPushButton::clicked, saveTypedPasswordSettings);
    on(page.按钮出厂, &QPushButton::clicked, resetToFactory);
    on(page.单选框启用密码, &QRadioButton::clicked, onPasswordOn);
    on(page.单选框禁用密码, &QRadioButton::clicked, onPasswordOff);
    on(page.组合框菜单高度, &QComboBox::activated, onMenuHeightChosen);
    on(page.组合框菜单速度, &QComboBox::activated, onMenuSpeedChosen);
    on(page.颜色选择器背景颜色, &ColourPicker::colourChanged, onBackgroundColourChanged);
    on(page.颜色选择器文本颜色, &ColourPicker::colourChanged, onTextColourChanged);
    on(page.颜色选择器文本选中颜色, &ColourPicker::colourChanged, onSelectedColourChanged);
    on(page.按钮保存全部设置, &QPushButton::clicked, saveAllSettings);
    on(page.按钮立即备份, &QPushButton::clicked, backUpNow);
    on(page.按钮备份位置, &QPushButton::clicked, chooseBackupFolder);
    on(page.按钮恢复备份, &QPushButton::clicked, restoreChosenBackup);
}

} // namespace kucun
