#include "BookingHandlers.h"

#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "book/money/ModelPrices.h"
#include "book/money/Money.h"
#include "book/stock/Quantity.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kucun {

namespace {

void loadBookingModels(BookingContext &context)
{
    const RollUpMenu &menu = *context.page.卷帘式菜单1;
    const int group = menu.currentGroup();
    const int item = menu.currentItem();
    const ReadResult<Minimums> minimums =
        group < 0 || item < 0
            ? ReadResult<Minimums>(Minimums())
            : readMinimumsOf(context.folders, menu.groupText(group), menu.itemText(group, item));
    loadModelList(context.dialogs, *context.page.超级列表框进销, ModelColumns::Booking,
                  modelsOfChosenItem(context.folders, menu), minimums);
}

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

void showBookingCatalogue(BookingContext &context)
{
    showCatalogue(*context.page.卷帘式菜单1, context.state);
    context.page.showEmptyCatalogueHint(context.state.categories.isEmpty());
    context.page.orderFocus();
    onBookingGroupChosen(context);
}

void onBookingItemChosen(BookingContext &context, int group, int item)
{
    BookingPage &page = context.page;
    page.bookingFilter.reset();
    page.标签进销名称->setText(page.卷帘式菜单1->itemText(group, item));
    loadBookingModels(context);
    // Choosing with the keyboard goes on to picking a model.
    if (page.卷帘式菜单1->isAncestorOf(QApplication::focusWidget())) {
        page.超级列表框进销->setFocus();
    }
}

void onBookingGroupChosen(BookingContext &context)
{
    context.page.bookingFilter.reset();
    context.page.标签进销名称->clear();
    context.page.超级列表框进销->list().clear();
}

void onBookingModelSelected(BookingContext &context)
{
    const ListView &models = *context.page.超级列表框进销;
    const int row = models.selectedRow();
    if (row < 0) {
        return;
    }
    const ModelRecord chosen = modelInRow(models, row);
    context.page.标签进销型号->setText(chosen.model);
    // Prices that can't be read leave the boxes empty: a booking without a
    // price books as ever.
    const ReadResult<ModelPrices> prices =
        readBookingPrices(context.folders, {chosen.category, chosen.item, chosen.model});
    const auto text = [](std::optional<double> price) {
        return price ? unitPriceText(*price) : QString();
    };
    context.page.编辑框入库单价->setText(prices ? text(prices->purchase) : QString());
    context.page.编辑框出库单价->setText(prices ? text(prices->sale) : QString());
}

void showBookingAmounts(BookingContext &context)
{
    const auto amountText = [](const QLineEdit *quantityBox, const QLineEdit *priceBox) {
        const std::optional<qint32> quantity = bookableQuantity(quantityBox->text());
        const TypedPrice price = parseUnitPrice(priceBox->text());
        if (!quantity || !price.valid || !price.price) {
            return QString();
        }
        return QStringLiteral("金额：") + moneyText(amountOf(*quantity, *price.price));
    };
    BookingPage &page = context.page;
    page.标签入库金额->setText(amountText(page.编辑框入库, page.编辑框入库单价));
    page.标签出库金额->setText(amountText(page.编辑框出库, page.编辑框出库单价));
}

void onBookingModelActivated(BookingContext &context, const QModelIndex &row)
{
    context.page.超级列表框进销->selectRow(row.row());
    context.page.编辑框入库->setFocus();
}

void hideBookingGroup(BookingContext &context, int group)
{
    RollUpMenu &menu = *context.page.卷帘式菜单1;
    const bool inUse = menu.currentGroup() == group;
    if (menu.hideGroup(group) && inUse) {
        // The models of a category out of sight are not booked by mistake.
        onBookingGroupChosen(context);
    }
}

void showHiddenBookingGroups(BookingContext &context)
{
    RollUpMenu &menu = *context.page.卷帘式菜单1;
    for (int group = 0; group < menu.groupCount(); ++group) {
        if (menu.isGroupHidden(group)) {
            menu.showGroup(group);
        }
    }
}

void filterBookingModels(BookingContext &context)
{
    ListModel &list = context.page.超级列表框进销->list();
    if (list.rowCount() == 0) {
        tell(context.dialogs, QStringLiteral("列表无项目！"), Dialogs::Warning);
        return;
    }
    const QString keyword = context.page.编辑框_关键字->text();
    context.page.bookingFilter = keyword;
    keepModelsMatching(list, keyword);
}

void reloadStockLists(BookingContext &context)
{
    loadBookingModels(context);
    if (context.page.bookingFilter) {
        keepModelsMatching(context.page.超级列表框进销->list(), *context.page.bookingFilter);
    }
}

void followStockElsewhere(BookingContext &context)
{
    ListView &models = *context.page.超级列表框进销;
    const qint64 chosen = models.list().idAt(models.selectedRow());
    reloadStockLists(context);
    for (int row = 0; chosen != 0 && row < models.rowCount(); ++row) {
        if (models.list().idAt(row) == chosen) {
            models.selectRow(row);
            break;
        }
    }
}

void askLedgerOfChosenModel(BookingContext &context)
{
    const ListView &models = *context.page.超级列表框进销;
    const int row = models.selectedRow();
    if (row < 0) {
        tell(context.dialogs, QStringLiteral("请选择要查看台账的型号！"), Dialogs::Warning);
        return;
    }
    emit context.page.ledgerWanted(modelInRow(models, row));
}

void connectBookingPage(const BookingContext &context)
{
    BookingPage &page = context.page;
    const auto on = [&](auto *sender, auto signal, auto handle) {
        QObject::connect(sender, signal, &page, slotOf(context, handle));
    };
    on(page.卷帘式菜单1, &RollUpMenu::itemChosen, onBookingItemChosen);
    on(page.卷帘式菜单1, &RollUpMenu::groupChosen, onBookingGroupChosen);
    on(page.卷帘式菜单1, &RollUpMenu::groupRightClicked, hideBookingGroup);
    on(page.按钮显示菜单, &QPushButton::clicked, showHiddenBookingGroups);
    on(page.超级列表框进销, &ListView::rowSelectionChanged, onBookingModelSelected);
    on(page.超级列表框进销, &ListView::activated, onBookingModelActivated);
    on(page.按钮5, &QPushButton::clicked, filterBookingModels);
    on(page.按钮入库, &QPushButton::clicked, bookStockIn);
    on(page.按钮出库, &QPushButton::clicked, bookStockOut);
    // Enter in a box does what its button does.
    on(page.编辑框入库, &QLineEdit::returnPressed, bookStockIn);
    on(page.编辑框出库, &QLineEdit::returnPressed, bookStockOut);
    on(page.编辑框入库单价, &QLineEdit::returnPressed, bookStockIn);
    on(page.编辑框出库单价, &QLineEdit::returnPressed, bookStockOut);
    for (QLineEdit *box :
         {page.编辑框入库, page.编辑框入库单价, page.编辑框出库, page.编辑框出库单价}) {
        on(box, &QLineEdit::textChanged, showBookingAmounts);
    }
    on(page.编辑框_关键字, &QLineEdit::returnPressed, filterBookingModels);
    on(page.编辑框条码查找, &QLineEdit::returnPressed, lookUpTypedBarcode);
    // A scan puts its 1 where the owner last typed a quantity.
    for (QLineEdit *box : {page.编辑框入库, page.编辑框出库}) {
        QObject::connect(box, &QLineEdit::textEdited, &page,
                         [&page, box] { page.usedQuantityBox = box; });
    }
    on(page.日期框进销, &QDateEdit::dateChanged, loadDayLog);
    // A model's ledger: 按钮台账, or a double-click on a model row.
    on(page.按钮台账, &QPushButton::clicked, askLedgerOfChosenModel);
    QObject::connect(page.超级列表框进销, &ListView::doubleClicked, &page,
                     [&page](const QModelIndex &row) {
                         if (row.row() >= 0 && row.row() < page.超级列表框进销->rowCount()) {
                             emit page.ledgerWanted(modelInRow(*page.超级列表框进销, row.row()));
                         }
                     });
}

} // namespace kucun
