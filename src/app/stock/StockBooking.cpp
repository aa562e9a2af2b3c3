#include "StockBooking.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/stock/Booking.h"
#include "book/stock/Quantity.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace kucun {

namespace {

QLineEdit *quantityBox(const Form &form, MovementKind kind)
{
    return kind == MovementKind::In ? form.编辑框入库 : form.编辑框出库;
}

// After a message about the quantity its text is selected, so that the next
// keystrokes replace it.
void tellAboutQuantity(AppContext &context, MovementKind kind, const QString &text,
                       Dialogs::Icon icon)
{
    tell(context.dialogs, text, icon);
    QLineEdit *box = quantityBox(context.form, kind);
    box->setFocus();
    box->selectAll();
}

// The quantity to book once a model is named and the quantity box holds a
// valid number; otherwise nothing, after telling the user what is missing.
std::optional<qint32> checkedQuantity(AppContext &context, MovementKind kind)
{
    const Form &form = context.form;
    const bool in = kind == MovementKind::In;
    if (isBlank(form.标签进销型号->text())) {
        warn(context.dialogs, in ? QStringLiteral("请选择要入库的产品型号！")
                                 : QStringLiteral("请选择要出库的产品型号！"));
        return std::nullopt;
    }
    const QString typed = quantityBox(form, kind)->text();
    if (isBlank(typed)) {
        warn(context.dialogs,
             in ? QStringLiteral("请添加要入库的数量！") : QStringLiteral("请添加要出库的数量！"));
        return std::nullopt;
    }
    const std::optional<qint32> quantity = bookableQuantity(typed);
    if (!quantity) {
        tellAboutQuantity(context, kind, QStringLiteral("请输入有效的数量！"), Dialogs::Warning);
    }
    return quantity;
}

// The booking the page describes: the chosen item's model, the quantity,
// the date and the remark.
Movement movementOnPage(const Form &form, MovementKind kind, qint32 quantity)
{
    const RollUpMenu &menu = *form.卷帘式菜单1;
    const QLineEdit *typed = quantityBox(form, kind);
    return {menu.groupText(menu.currentGroup()),
            menu.itemText(menu.currentGroup(), menu.currentItem()),
            form.标签进销型号->text(),
            kind,
            quantity,
            leadingNumber(typed->text()),
            form.日期框进销->date(),
            form.编辑框明细备注->text()};
}

void clearBookingBoxes(Form &form)
{
    form.编辑框出库->clear();
    form.编辑框入库->clear();
    form.标签进销型号->clear();
    form.编辑框明细备注->clear();
}

// Books the movement of the selected model; the lists reload as the stock
// book announces its change.
void applyMovement(AppContext &context, MovementKind kind, qint32 quantity)
{
    Form &form = context.form;
    if (form.超级列表框进销->selectedRow() < 0) {
        warn(context.dialogs, QStringLiteral("请选择要进销库的型号"));
        return;
    }
    const Outcome<BookingOutcome> outcome =
        book(context.folders, movementOnPage(form, kind, quantity), context.changes);
    if (toldTableFailure(context.dialogs, outcome.fault(),
                         QStringLiteral("数据写入失败，库存未改变，请稍后重试！"))) {
        return;
    }
    switch (outcome.reason()) {
    case BookingOutcome::Booked:
        clearBookingBoxes(form);
        break;
    case BookingOutcome::ModelNotFound:
        // The list and the table disagreed; the list now shows the table.
        warn(context.dialogs, QStringLiteral("型号不存在，请重新选择！"));
        break;
    case BookingOutcome::NotEnoughStock:
        tellAboutQuantity(context, kind, QStringLiteral("库存余额不足！"), Dialogs::Error);
        break;
    }
}

} // namespace

void bookStockIn(AppContext &context)
{
    if (const auto quantity = checkedQuantity(context, MovementKind::In)) {
        applyMovement(context, MovementKind::In, *quantity);
    }
}

void bookStockOut(AppContext &context)
{
    const auto quantity = checkedQuantity(context, MovementKind::Out);
    if (!quantity) {
        return;
    }
    // The stock the list shows for the model, before the store checks its own.
    const ListView &models = *context.form.超级列表框进销;
    const double shownStock = modelInRow(models, models.selectedRow()).stock;
    if (*quantity > qint64(std::trunc(shownStock))) {
        tellAboutQuantity(context, MovementKind::Out, QStringLiteral("没有足够的库存，请核实！"),
                          Dialogs::Error);
        return;
    }
    applyMovement(context, MovementKind::Out, *quantity);
}

} // namespace kucun
