#include "ModelLists.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/catalogue/CatalogueReads.h"
#include "ui/Dialogs.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QLabel>
#include <QLineEdit>

namespace kucun {

namespace {

ListView *listOf(Form &form, ModelList list)
{
    switch (list) {
    case ModelList::Booking:
        return form.超级列表框进销;
    case ModelList::Maintenance:
        return form.超级列表框设置;
    case ModelList::WholeStock:
        return form.超级列表框总库存;
    }
    return nullptr;
}

// The models of the item chosen in a roll-up menu; none when no item is chosen.
ReadResult<std::vector<ModelRecord>> modelsOfChosenItem(const Book &book, const RollUpMenu &menu)
{
    const int group = menu.currentGroup();
    const int item = menu.currentItem();
    if (group < 0 || item < 0) {
        return std::vector<ModelRecord>();
    }
    return readModelsOf(book, menu.groupText(group), menu.itemText(group, item));
}

ReadResult<std::vector<ModelRecord>> modelsFor(const Book &book, const Form &form, ModelList list)
{
    switch (list) {
    case ModelList::Booking:
        return modelsOfChosenItem(book, *form.卷帘式菜单1);
    case ModelList::Maintenance:
        return modelsOfChosenItem(book, *form.卷帘式菜单2);
    case ModelList::WholeStock:
        return readAllModels(book);
    }
    return std::nullopt;
}

QStringList cellsOf(const ModelRecord &model, ModelList list, ValueTexts &texts)
{
    const QString number; // the list numbers its rows itself
    const QString stock = texts.number(model.stock);
    switch (list) {
    case ModelList::Booking:
        return {number, model.model, stock, model.unit, model.remark};
    case ModelList::Maintenance:
        return {number, model.model, model.unit, model.remark};
    case ModelList::WholeStock:
        return stockReportRow(model, texts).cells;
    }
    return {};
}

void clearModelList(Form &form, ModelList list)
{
    listOf(form, list)->list().clear();
    if (list == ModelList::WholeStock) {
        form.标签合计库存->setText(QStringLiteral("0"));
    }
}

// Sets the models' rows in the list, and the total of the whole stock.
void fillModelList(AppContext &context, ModelList list, const std::vector<ModelRecord> &models)
{
    Form &form = context.form;
    ListModel &rows = listOf(form, list)->list();
    std::vector<ListRow> loaded;
    loaded.reserve(models.size());
    double total = 0;
    ValueTexts texts;
    for (const ModelRecord &model : models) {
        ListRow row{cellsOf(model, list, texts), model.id};
        row.record = QVariant::fromValue(model);
        loaded.push_back(std::move(row));
        total += model.stock;
    }
    rows.setRows(std::move(loaded));
    if (list == ModelList::WholeStock) {
        form.标签合计库存->setText(totalText(total));
    }
}

} // namespace

ListRow stockReportRow(const ModelRecord &model, ValueTexts &texts)
{
    ListRow row{{QString(), model.category, model.item, model.model, texts.number(model.stock),
                 model.unit, model.remark},
                model.id};
    row.record = QVariant::fromValue(model);
    return row;
}

ModelRecord modelInRow(const ListView &list, int row)
{
    return list.list().recordAt(row).value<ModelRecord>();
}

void loadModelList(AppContext &context, ModelList list)
{
    clearModelList(context.form, list);
    const ReadResult<std::vector<ModelRecord>> models =
        modelsFor(context.folders, context.form, list);
    if (!models) {
        reportTableFailure(context.dialogs, models.fault(), QString());
        return;
    }
    fillModelList(context, list, *models);
}

void showModelList(AppContext &context, ModelList list, const std::vector<ModelRecord> &models)
{
    clearModelList(context.form, list);
    fillModelList(context, list, models);
}

namespace {

// Only the rows that don't match go, so a selected row that matches stays selected.
void keepModelsMatching(ListModel &list, const QString &keyword)
{
    for (int row = 0; row < list.rowCount();) {
        const QStringList &cells = list.rows()[size_t(row)].cells;
        if (cells.value(1).contains(keyword) || cells.value(4).contains(keyword)) {
            ++row;
        } else {
            list.removeRowAt(row);
        }
    }
}

} // namespace

void filterBookingModels(AppContext &context)
{
    ListModel &list = context.form.超级列表框进销->list();
    if (list.rowCount() == 0) {
        tell(context.dialogs, QStringLiteral("列表无项目！"), Dialogs::Warning);
        return;
    }
    const QString keyword = context.form.编辑框_关键字->text();
    context.state.bookingFilter = keyword;
    keepModelsMatching(list, keyword);
}

void reloadStockLists(AppContext &context)
{
    loadModelList(context, ModelList::Booking);
    if (context.state.bookingFilter) {
        keepModelsMatching(context.form.超级列表框进销->list(), *context.state.bookingFilter);
    }
}

} // namespace kucun
