#include "StartUp.h"

#include "AppContext.h"
#include "OpenTable.h"
#include "catalogue/CategoryLoaders.h"
#include "catalogue/LogLists.h"
#include "catalogue/ModelLists.h"
#include "reports/MonthlyReport.h"

#include <QWidget>

namespace kucun {

void startUp(QWidget &window, AppContext &context)
{
    window.move(window.x(), 0);
    runReportingStoreErrors(context.dialogs, [&context] {
        loadCategories(context);
        loadItems(context);
    });
    runReportingStoreErrors(context.dialogs, [&context] {
        loadLog(context, LogQuery::Day);
        loadModelList(context, ModelList::WholeStock);
        rebuildMonthlyReport(context);
    });
}

} // namespace kucun
