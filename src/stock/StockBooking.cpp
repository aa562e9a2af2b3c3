#include "StockBooking.h"

#include "app/AppContext.h"
#include "app/OpenTable.h"
#include "catalogue/LogLists.h"
#include "catalogue/ModelLists.h"
#include "store/Quantity.h"
#include "store/Table.h"
#include "store/ValueText.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace kucun {

namespace {

enum class Movement
{
    In,
    Out
};

void warn(AppContext &context, const QString &text, int icon = Dialogs::Warning)
{
    context.dialogs.message(text, QString(), icon, false);
}

// The quantity to book once a model is named and the quantity box holds a
// valid number; otherwise nothing, after telling the user what is missing.
std::optional<qint32> checkedQuantity(AppContext &context, Movement kind)
{
    const Form &form = context.form;
    const bool in = kind == Movement::In;
    if (isBlank(form.标签进销型号->text())) {
        warn(context, in ? QStringLiteral("请选择要入库的产品型号！")
                         : QStringLiteral("请选择要出库的产品型号！"));
        return std::nullopt;
    }
    const QString typed = (in ? form.编辑框入库 : form.编辑框出库)->text();
    if (isBlank(typed)) {
        warn(context,
             in ? QStringLiteral("请添加要入库的数量！") : QStringLiteral("请添加要出库的数量！"));
        return std::nullopt;
    }
    const std::optional<qint32> quantity = bookableQuantity(typed);
    if (!quantity) {
        warn(context, QStringLiteral("请输入有效的数量！"));
    }
    return quantity;
}

// The movement record, in the field order of 明细.
QVariantList movementRecord(const AppContext &context, Movement kind, qint32 quantity)
{
    const Form &form = context.form;
    const RollUpMenu &menu = *form.卷帘式菜单1;
    const ListView &models = *form.超级列表框进销;
    const QVariant booked(quantity);
    return {form.日期框进销->date(),
            menu.groupText(menu.currentGroup()),
            menu.itemText(menu.currentGroup(), menu.currentItem()),
            form.标签进销型号->text(),
            kind == Movement::In ? booked : QVariant(),
            kind == Movement::Out ? booked : QVariant(),
            models.cellText(models.selectedRow(), 3),
            form.编辑框明细备注->text()};
}

void reloadBookingViews(AppContext &context)
{
    loadModelList(context, ModelList::Booking);
    loadModelList(context, ModelList::WholeStock);
    loadLog(context, LogQuery::Day);
}

void clearBookingBoxes(Form &form)
{
    form.编辑框出库->clear();
    form.编辑框入库->clear();
    form.标签进销型号->clear();
    form.编辑框明细备注->clear();
}

// Changes 库存 of the selected model and appends its movement record in one
// transaction, so that both are written or neither is.
void applyMovement(AppContext &context, Movement kind, qint32 quantity, double quantityAsNumber)
{
    Form &form = context.form;
    if (form.超级列表框进销->selectedRow() < 0) {
        warn(context, QStringLiteral("请选择要进销库的型号"));
        return;
    }
    Table models;
    if (!openOrReport(models, tables::型号, context.dialogs)) {
        return;
    }
    if (!models.attach(tables::明细, tablePassword())) {
        models.close();
        warn(context, QStringLiteral("数据库打开失败或丢失！"), Dialogs::Error);
        return;
    }
    const RollUpMenu &menu = *form.卷帘式菜单1;
    const bool found =
        models.findTexts({{fields::品类, menu.groupText(menu.currentGroup())},
                          {fields::名称, menu.itemText(menu.currentGroup(), menu.currentItem())},
                          {fields::型号, form.标签进销型号->text()}});
    if (!found) {
        // The list and the table disagree: nothing is booked, the lists show the table.
        models.close();
        reloadBookingViews(context);
        return;
    }
    const double stock = models.number(fields::库存);
    if (kind == Movement::Out && stock - quantityAsNumber < -numberTolerance) {
        models.close();
        warn(context, QStringLiteral("库存余额不足！"), Dialogs::Error);
        return;
    }
    const double newStock = kind == Movement::In ? stock + quantity : stock - quantity;
    const bool written =
        models.beginTransaction() &&
        models.modify({QVariant(), QVariant(), QVariant(), QVariant(), newStock}) &&
        models.appendTo(tables::明细, movementRecord(context, kind, quantity)) && models.commit();
    if (!written) {
        models.rollback();
        models.close();
        warn(context, QStringLiteral("数据写入失败，库存未改变，请稍后重试！"), Dialogs::Error);
        return;
    }
    models.close();
    reloadBookingViews(context);
    clearBookingBoxes(form);
}

} // namespace

void bookStockIn(AppContext &context)
{
    if (const auto quantity = checkedQuantity(context, Movement::In)) {
        applyMovement(context, Movement::In, *quantity, *quantity);
    }
}

void bookStockOut(AppContext &context)
{
    const auto quantity = checkedQuantity(context, Movement::Out);
    if (!quantity) {
        return;
    }
    const Form &form = context.form;
    const ListView &models = *form.超级列表框进销;
    const qint64 shownStock = leadingInteger(models.cellText(models.selectedRow(), 2));
    if (*quantity > shownStock) {
        warn(context, QStringLiteral("没有足够的库存，请核实！"), Dialogs::Error);
        return;
    }
    applyMovement(context, Movement::Out, *quantity, leadingNumber(form.编辑框出库->text()));
}

} // namespace kucun
