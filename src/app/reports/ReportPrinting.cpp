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

QString formTitle(const Form &form, Report report)
{
    switch (report) {
    case Report::WholeStock:
        return QStringLiteral("库存-总表单");
    case Report::ByCategory:
        return QStringLiteral("库存-类表单");
    case Report::Monthly:
        return monthlyFormTitle(form.月历1->selectedDate());
    }
    return {};
}

} // namespace

void printReportForm(AppContext &context, FormPreview &preview, Report report)
{
    const Form &form = context.form;
    preview.show(layOutReportForm(formTitle(form, report), shownRows(*reportList(form, report)),
                                  reportTotal(form, report)->text(), QDateTime::currentDateTime()));
}

} // namespace kucun
