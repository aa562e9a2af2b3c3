#include "BookingHandlers.h"
#include "LogLists.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "book/money/Money.h"
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

QLineEdit *quantityBox(const BookingPage &page, MovementKind kind)
{
    return kind == MovementKind::In ? page.编辑框入库 : page.编辑框出库;
}

QLineEdit *priceBox(const BookingPage &page, MovementKind kind)
{
    return kind == MovementKind::In ? page.编辑框入库单价 : page.编辑框出库单价;
}

// After a message about the quantity its text is selected, so that the next
// keystrokes replace it.
void tellAboutQuantity(BookingContext &context, MovementKind kind, const QString &text,
                       Dialogs::Icon icon)
{
    tell(context.dialogs, text, icon);
    QLineEdit *box = quantityBox(context.page, kind);
    box->setFocus();
    box->selectAll();
}

// The quantity to book once a model is named and the quantity box holds a
// valid number; otherwise nothing, after telling the user what is missing.
std::optional<qint32> checkedQuantity(BookingContext &context, MovementKind kind)
{
    const BookingPage &page = context.page;
    const bool in = kind == MovementKind::In;
    if (isBlank(page.标签进销型号->text())) {
        warn(context.dialogs, in ? QStringLiteral("请选择要入库的产品型号！")
                                 : QStringLiteral("请选择要出库的产品型号！"));
        return std::nullopt;
    }
    const QString typed = quantityBox(page, kind)->text();
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
// the date, the remark and the price.
Movement movementOnPage(const BookingPage &page, MovementKind kind, qint32 quantity,
                        std::optional<double> price)
{
    const RollUpMenu &menu = *page.卷帘式菜单1;
    const QLineEdit *typed = quantityBox(page, kind);
    return {menu.groupText(menu.currentGroup()),
            menu.itemText(menu.currentGroup(), menu.currentItem()),
            page.标签进销型号->text(),
            kind,
            quantity,
            leadingNumber(typed->text()),
            page.日期框进销->date(),
            page.编辑框明细备注->text(),
            price};
}

void clearBookingBoxes(BookingPage &page)
{
    page.编辑框出库->clear();
    page.编辑框入库->clear();
    page.标签进销型号->clear();
    page.编辑框明细备注->clear();
    page.编辑框入库单价->clear();
    page.编辑框出库单价->clear();
}

// Books the movement of the selected model; the lists reload as the stock
// book announces its change.
void applyMovement(BookingContext &context, MovementKind kind, qint32 quantity)
{
    BookingPage &page = context.page;
    if (page.超级列表框进销->selectedRow() < 0) {
        warn(context.dialogs, QStringLiteral("请选择要进销库的型号"));
        return;
    }
    const TypedPrice price = parseUnitPrice(priceBox(page, kind)->text());
    if (!price.valid) {
        warn(context.dialogs, QStringLiteral("单价须为不小于0的数字！"));
        priceBox(page, kind)->setFocus();
        priceBox(page, kind)->selectAll();
        return;
    }
    const Movement movement = movementOnPage(page, kind, quantity, price.price);
    const Outcome<BookingOutcome> outcome = book(context.folders, movement, context.changes);
    if (toldTableFailure(context.dialogs, outcome.fault(),
                         QStringLiteral("数据写入失败，库存未改变，请稍后重试！"))) {
        return;
    }
    switch (outcome.reason()) {
    case BookingOutcome::Booked:
        clearBookingBoxes(page);
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

void bookStockIn(BookingContext &context)
{
    if (const auto quantity = checkedQuantity(context, MovementKind::In)) {
        applyMovement(context, MovementKind::In, *quantity);
    }
}

void bookStockOut(BookingContext &context)
{
    const auto quantity = checkedQuantity(context, MovementKind::Out);
    if (!quantity) {
        return;
    }
    // The stock the list shows for the model, before the store checks its own.
    const ListView &models = *context.page.超级列表框进销;
    const double shownStock = modelInRow(models, models.selectedRow()).stock;
    if (*quantity > qint64(std::trunc(shownStock))) {
        tellAboutQuantity(context, MovementKind::Out, QStringLiteral("没有足够的库存，请核实！"),
                          Dialogs::Error);
        return;
    }
    applyMovement(context, MovementKind::Out, *quantity);
}

void loadDayLog(BookingContext &context)
{
    BookingPage &page = context.page;
    const std::optional<qint64> records = showLog(
        context, {page.超级列表框日志, page.标签入库合计, page.标签出库合计, QStringLiteral("0")},
        movementsOfDay(context.folders, page.日期框进销->date()));
    if (records) {
        emit page.logCounted(*records);
    }
}

void showNewMovement(BookingContext &context)
{
    loadDayLog(context);
    context.page.超级列表框日志->ensureVisible(context.page.超级列表框日志->rowCount() - 1);
}

} // namespace kucun
