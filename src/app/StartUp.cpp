#include "StartUp.h"

#include "AppContext.h"
#include "OpenTable.h"

#include "catalogue/CategoryLoaders.h"
#include "catalogue/LogLists.h"
#include "catalogue/ModelLists.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QLabel>

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
        context.form.超级列表框月库存->list().clear();
        context.form.标签合计月库存->setText(QStringLiteral("0"));
        loadModelList(context, ModelList::MonthSkeleton);
    });
}

} // namespace kucun
