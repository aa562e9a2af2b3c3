#include "PageChange.h"

#include "AppContext.h"
#include "app/reports/ReportRefresh.h"
#include "app/settings/PasswordHandlers.h"

#include <QPushButton>
#include <QTabWidget>

namespace kucun {

void onPageChosen(AppContext &context, int page)
{
    Form &form = context.form;
    if (!passPageGuard(context, page)) {
        form.高级选择夹1->setCurrentIndex(0);
        return;
    }
    showPageContents(form, page);
    if (page == 3) {
        form.按钮出厂->setVisible(true);
    }
    onReportShown(context);
}

} // namespace kucun
