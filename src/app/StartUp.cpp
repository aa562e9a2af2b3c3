#include "StartUp.h"

#include "AppContext.h"
#include "Messages.h"
#include "Pages.h"
#include "app/catalogue/CategoryLoaders.h"
#include "app/catalogue/ModelLists.h"
#include "app/reports/ReportRefresh.h"
#include "app/stock/LogLists.h"
#include "ui/RollUpMenu.h"

#include <QWidget>

namespace kucun {

void startUp(QWidget &window, AppContext &context)
{
    window.move(window.x(), 0);
    runReportingStoreErrors(context.dialogs, [&context] {
        loadCategories(context);
        loadItems(context);
    });
    orderBookingFocus(context.form);
    // The keyboard starts at the first category.
    if (QWidget *first = context.form.卷帘式菜单1->groupHeader(0)) {
        first->setFocus();
    }
    runReportingStoreErrors(context.dialogs, [&context] {
        loadLog(context, LogQuery::Day);
        rebuildStockReports(context);
    });
}

} // namespace kucun
