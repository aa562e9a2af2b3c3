#include "MaintenanceHandlers.h"
#include "ModelLists.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/codes/Labels.h"
#include "ui/Dialogs.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"

#include <algorithm>

namespace kucun {

void printSelectedLabels(MaintenanceContext &context, FormPreview &preview)
{
    const ListView &list = *context.page.超级列表框设置;
    const QList<int> rows = list.selectedRows();
    if (rows.isEmpty()) {
        inform(context.dialogs, QStringLiteral("请选择要打印条码的型号！"));
        return;
    }
    QList<ModelKey> models;
    for (const int row : rows) {
        const ModelRecord model = modelInRow(list, row);
        models << ModelKey{model.category, model.item, model.model};
    }
    const ReadResult<QList<LabelModel>> labels = readLabelModels(context.folders, models);
    if (!labels) {
        reportTableFailure(context.dialogs, labels.fault(), QString());
        return;
    }
    // Models without a code among others have no label.
    if (std::none_of(labels->cbegin(), labels->cend(),
                     [](const LabelModel &label) { return !label.code.isEmpty(); })) {
        warn(context.dialogs, QStringLiteral("所选型号没有条码！"));
        return;
    }
    const std::optional<Dialogs::CountChoice> choice = context.dialogs.chooseCountAndOption(
        QStringLiteral("打印条码"), QStringLiteral("每个型号打印份数："), 999,
        QStringLiteral("标签纸："), labelSheetNames());
    if (!choice) {
        return;
    }
    preview.show(layOutLabels(*labels, choice->count, LabelSheet(choice->option)));
}

} // namespace kucun
