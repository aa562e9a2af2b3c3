#include "ModelLists.h"

#include "app/Messages.h"
#include "book/ValueText.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

namespace kucun {

namespace {

QStringList cellsOf(const ModelRecord &model, ModelColumns columns, ValueTexts &texts)
{
    const QString number; // the list numbers its rows itself
    const QString stock = texts.number(model.stock);
    switch (columns) {
    case ModelColumns::Booking:
        return {number, model.model, stock, model.unit, model.remark};
    case ModelColumns::Maintenance:
        return {number, model.model, model.unit, model.remark};
    case ModelColumns::Report:
        return stockReportRow(model, texts).cells;
    }
    return {};
}

} // namespace

ReadResult<std::vector<ModelRecord>> modelsOfChosenItem(const Book &book, const RollUpMenu &menu)
{
    const int group = menu.currentGroup();
    const int item = menu.currentItem();
    if (group < 0 || item < 0) {
        return std::vector<ModelRecord>();
    }
    return readModelsOf(book, menu.groupText(group), menu.itemText(group, item));
}

double showModelList(ListView &list, ModelColumns columns, const std::vector<ModelRecord> &models,
                     const Minimums &minimums)
{
    std::vector<ListRow> loaded;
    loaded.reserve(models.size());
    double total = 0;
    ValueTexts texts;
    for (const ModelRecord &model : models) {
        ListRow row{cellsOf(model, columns, texts), model.id};
        row.belowMinimum = isBelowMinimum(model, minimums);
        row.record = QVariant::fromValue(model);
        loaded.push_back(std::move(row));
        total += model.stock;
    }
    list.list().setRows(std::move(loaded));
    return total;
}

std::optional<double> loadModelList(Dialogs &dialogs, ListView &list, ModelColumns columns,
                                    const ReadResult<std::vector<ModelRecord>> &models,
                                    const ReadResult<Minimums> &minimums)
{
    list.list().clear();
    if (!models) {
        reportTableFailure(dialogs, models.fault(), QString());
        return std::nullopt;
    }
    return showModelList(list, columns, *models, minimums ? *minimums : Minimums());
}

bool isBelowMinimum(const ModelRecord &model, const Minimums &minimums)
{
    if (minimums.isEmpty()) {
        return false;
    }
    const auto found = minimums.constFind({model.category, model.item, model.model});
    return found != minimums.cend() && belowMinimum(model.stock, found->minimum);
}

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

} // namespace kucun
