#include "MonthlyReport.h"

#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QLabel>

namespace kucun {

void rebuildMonthlyReport(AppContext &context)
{
    context.form.超级列表框月库存->list().clear();
    context.form.标签合计月库存->setText(QStringLiteral("0"));
    loadModelList(context, ModelList::MonthSkeleton);
}

} // namespace kucun
