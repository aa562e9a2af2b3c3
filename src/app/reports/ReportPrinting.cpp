#include "ReportPrinting.h"

#include "app/AppContext.h"
#include "book/reports/ReportForms.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QLabel>

namespace kucun {

namespace {

// List columns 1 to 5 of every row, top to bottom.
QList<QStringList> shownRows(const ListView &list)
{
    QList<QStringList> rows;
    rows.reserve(list.rowCount());
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column <= 5; ++column) {
            cells << list.cellText(row, column);
        }
        rows << cells;
    }
    return rows;
}

void printReportForm(FormPreview &preview, const QString &title, const ListView &list,
                     const QLabel &total)
{
    preview.show(
        layOutReportForm(title, shownRows(list), total.text(), QDateTime::currentDateTime()));
}

} // namespace

void printTotalForm(AppContext &context, FormPreview &preview)
{
    printReportForm(preview, QStringLiteral("库存-总表单"), *context.form.超级列表框总库存,
                    *context.form.标签合计库存);
}

void printCategoryForm(AppContext &context, FormPreview &preview)
{
    printReportForm(preview, QStringLiteral("库存-类表单"), *context.form.超级列表框类库存,
                    *context.form.标签合计库存2);
}

void printMonthlyForm(AppContext &context, FormPreview &preview)
{
    printReportForm(preview, monthlyFormTitle(context.form.月历1->selectedDate()),
                    *context.form.超级列表框月库存, *context.form.标签合计月库存);
}

} // namespace kucun
