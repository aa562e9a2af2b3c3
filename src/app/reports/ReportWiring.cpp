#include "ReportOutput.h"
#include "Reports.h"
#include "app/AppContext.h"
#include "app/catalogue/ModelLists.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>

namespace kucun {

void connectReportPage(const ReportContext &context, FormPreview &preview)
{
    ReportPage &page = context.page;
    const auto on = [&](auto *sender, auto signal, auto handle) {
        QObject::connect(sender, signal, &page, slotOf(context, handle));
    };
    on(page.月历1, &QCalendarWidget::selectionChanged, rebuildMonthlyReport);
    on(page.月历1, &QCalendarWidget::currentPageChanged, showChosenMonth);
    const QList<QComboBox *> categorySelectors{page.组合框1, page.组合框2, page.组合框3};
    for (int level = 1; level <= 3; ++level) {
        on(categorySelectors[level - 1], &QComboBox::activated,
           [level](ReportContext &reports) { runCategoryQuery(reports, level); });
    }
    on(page.日期框期末, &QDateEdit::dateChanged, rebuildStockOnDayReport);
    on(page.组合框库存金额品类, &QComboBox::activated, rebuildStockValueReport);
    on(page.日期框毛利, &QDateEdit::dateChanged, rebuildGrossProfitReport);
    on(page.报表选择夹, &QTabWidget::currentChanged, onReportShown);
    for (const ReportDescription &described : reportDescriptions()) {
        ListView *list = page.*described.list;
        const Report report = described.report;
        QObject::connect(list, &ListView::headerClicked, &page,
                         [list](int column) { sortReportList(*list, column); });
        on(page.*described.exportButton, &QPushButton::clicked,
           [report](ReportContext &reports) { exportReport(reports, report); });
        on(page.*described.saveButton, &QPushButton::clicked,
           [report](ReportContext &reports) { saveReportAs(reports, report); });
        on(page.*described.printButton, &QPushButton::clicked,
           [&preview, report](ReportContext &reports) {
               printReportForm(reports, preview, report);
           });
    }
    // A double-click on a model row asks for the model's ledger.
    for (ListView *models : {page.超级列表框总库存, page.超级列表框类库存}) {
        QObject::connect(models, &ListView::doubleClicked, &page,
                         [&page, models](const QModelIndex &row) {
                             if (row.row() >= 0 && row.row() < models->rowCount()) {
                                 emit page.ledgerWanted(modelInRow(*models, row.row()));
                             }
                         });
    }
}

} // namespace kucun
