#include "BookingMenu.h"
#include "StockBooking.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace kucun {

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
    on(page.编辑框_关键字, &QLineEdit::returnPressed, filterBookingModels);
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
