#include "ModelLists.h"

#include "app/AppContext.h"
#include "app/OpenTable.h"
#include "store/Table.h"
#include "store/ValueText.h"
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
    case ModelList::MonthSkeleton:
        return form.超级列表框月库存;
    }
    return nullptr;
}

// The records of the item chosen in a roll-up menu; none when no item is chosen.
RecordFilter chosenItemFilter(const RollUpMenu &menu)
{
    const int group = menu.currentGroup();
    const int item = menu.currentItem();
    if (group < 0 || item < 0) {
        return RecordFilter::none();
    }
    return RecordFilter::textsEqual(
        {{fields::品类, menu.groupText(group)}, {fields::名称, menu.itemText(group, item)}});
}

QStringList cellsOf(const Record &record, ModelList list)
{
    const QString number; // the list numbers its rows itself
    const auto text = [&record](const QString &field) { return record.text(field); };
    const QString stock = numberText(record.number(fields::库存));
    switch (list) {
    case ModelList::Booking:
        return {number, text(fields::型号), stock, text(fields::单位), text(fields::备注)};
    case ModelList::Maintenance:
        return {number, text(fields::型号), text(fields::单位), text(fields::备注)};
    case ModelList::WholeStock:
        return {number, text(fields::品类), text(fields::名称), text(fields::型号),
                stock,  text(fields::单位), text(fields::备注)};
    case ModelList::MonthSkeleton:
        return {number,
                text(fields::品类),
                text(fields::名称),
                text(fields::型号),
                QStringLiteral("0"),
                text(fields::单位),
                text(fields::备注)};
    }
    return {};
}

} // namespace

void loadModelList(AppContext &context, ModelList list)
{
    Form &form = context.form;
    ListView *view = listOf(form, list);
    if (list != ModelList::MonthSkeleton) {
        view->list().clear();
    }
    if (list == ModelList::WholeStock) {
        form.标签合计库存->setText(QStringLiteral("0"));
    }

    Table table;
    if (!openOrReport(table, tables::型号, context.dialogs)) {
        return;
    }
    std::vector<ListRow> rows = view->list().rows();
    double total = 0;
    const auto addRow = [&](const Record &record) {
        rows.push_back({cellsOf(record, list)});
        total += record.number(fields::库存);
    };
    switch (list) {
    case ModelList::Booking:
        table.forEachMatching(chosenItemFilter(*form.卷帘式菜单1), addRow);
        break;
    case ModelList::Maintenance:
        table.forEachMatching(chosenItemFilter(*form.卷帘式菜单2), addRow);
        break;
    case ModelList::WholeStock:
    case ModelList::MonthSkeleton:
        table.forEach([&addRow](const Record &record) {
            addRow(record);
            return true;
        });
        break;
    }
    view->list().setRows(std::move(rows));
    if (list == ModelList::WholeStock) {
        form.标签合计库存->setText(numberText(total));
    }
}

void filterBookingModels(AppContext &context)
{
    ListModel &list = context.form.超级列表框进销->list();
    if (list.rowCount() == 0) {
        context.dialogs.message(QStringLiteral("列表无项目！"), QString(), Dialogs::Warning, false);
        return;
    }
    const QString keyword = context.form.编辑框_关键字->text();
    std::vector<ListRow> kept;
    for (const ListRow &row : list.rows()) {
        if (row.cells.value(1).contains(keyword) || row.cells.value(4).contains(keyword)) {
            kept.push_back(row);
        }
    }
    list.setRows(std::move(kept));
}

} // namespace kucun
