#include "MonthlyReport.h"

#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QLabel>
#include <algorithm>

namespace kucun {

void rebuildMonthlyReport(AppContext &context)
{
    context.form.超级列表框月库存->list().clear();
    context.form.标签合计月库存->setText(QStringLiteral("0"));
    loadModelList(context, ModelList::MonthSkeleton);
}

void showChosenMonth(AppContext &context, int year, int month)
{
    QCalendarWidget &calendar = *context.form.月历1;
    const QDate chosen = calendar.selectedDate();
    if (chosen.year() == year && chosen.month() == month) {
        return;
    }
    const int lastDay = QDate(year, month, 1).daysInMonth();
    calendar.setSelectedDate(QDate(year, month, std::min(chosen.day(), lastDay)));
}

} // namespace kucun
