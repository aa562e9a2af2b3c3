#include "StartUp.h"

#include "AppContext.h"
#include "OpenTable.h"

#include "catalogue/CategoryLoaders.h"

#include <QWidget>

namespace kucun {

void startUp(QWidget &window, AppContext &context)
{
    window.move(window.x(), 0);
    runReportingStoreErrors(context.dialogs, [&context] {
        loadCategories(context);
        loadItems(context);
    });
}

} // namespace kucun
