#include "GoToMaintenance.h"

#include "app/AppContext.h"

#include <QLineEdit>
#include <QTabWidget>

namespace kucun {

void goToMaintenance(AppContext &context)
{
    QTabWidget &pages = *context.form.高级选择夹1;
    QWidget *maintenance = pages.widget(pages.count() - 1);
    pages.setCurrentWidget(maintenance);
    // A refused password leaves the booking page in front.
    if (pages.currentWidget() == maintenance) {
        context.form.编辑框品类->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace kucun
