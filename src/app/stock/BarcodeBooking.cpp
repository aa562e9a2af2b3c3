#include "BookingHandlers.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/codes/Barcodes.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QLineEdit>

namespace kucun {

namespace {

QString pathOf(const ModelKey &model)
{
    return model.category + u'/' + model.item + u'/' + model.model;
}

// The row of the model in 超级列表框进销; -1 when the list doesn't show it.
int rowOfModel(const ListView &models, const ModelKey &model)
{
    for (int row = 0; row < models.rowCount(); ++row) {
        const ModelRecord shown = modelInRow(models, row);
        if (ModelKey{shown.category, shown.item, shown.model} == model) {
            return row;
        }
    }
    return -1;
}

// Chooses the model's item in the menu, unless its row is shown already,
// and selects its row; false when the catalogue no longer holds the model.
bool chooseModel(BookingPage &page, const ModelKey &model)
{
    ListView &models = *page.超级列表框进销;
    int row = rowOfModel(models, model);
    if (row < 0) {
        RollUpMenu &menu = *page.卷帘式菜单1;
        // An item is listed under the first group of its category.
        int group = 0;
        while (group < menu.groupCount() && menu.groupText(group) != model.category) {
            ++group;
        }
        int item = 0;
        while (group < menu.groupCount() && item < menu.itemCount(group) &&
               menu.itemText(group, item) != model.item) {
            ++item;
        }
        if (group == menu.groupCount() || item == menu.itemCount(group)) {
            return false;
        }
        // A scan asks for the model by name: a category hidden from sight comes back.
        if (menu.isGroupHidden(group)) {
            menu.showGroup(group);
        }
        menu.chooseItem(group, item);
        row = rowOfModel(models, model);
    }
    models.selectRow(row);
    models.ensureVisible(row);
    return row >= 0;
}

// One piece, ready to book or to be typed over.
void putOnePiece(BookingPage &page)
{
    QLineEdit *box = page.usedQuantityBox ? page.usedQuantityBox : page.编辑框入库;
    (box == page.编辑框入库 ? page.编辑框出库 : page.编辑框入库)->clear();
    box->setText(QStringLiteral("1"));
    box->setFocus();
    box->selectAll();
}

void offerToSelectedModel(BookingContext &context, const QString &code)
{
    warn(context.dialogs, QStringLiteral("未找到条码：") + code);
    const ListView &models = *context.page.超级列表框进销;
    if (models.selectedRow() < 0) {
        return;
    }
    const ModelRecord selected = modelInRow(models, models.selectedRow());
    const ModelKey model{selected.category, selected.item, selected.model};
    if (!context.dialogs.message(
            QStringLiteral("将“%1”设为所选型号“%2”的条码吗？").arg(code, pathOf(model)), QString(),
            Dialogs::Question, Dialogs::Buttons::OkCancel)) {
        return;
    }
    const GivenBarcode given = giveBarcode(context.folders, model, code, context.changes);
    if (toldTableFailure(context.dialogs, given.outcome.fault(),
                         QStringLiteral("条码保存失败，请稍后重试！"))) {
        return;
    }
    switch (given.outcome.reason()) {
    case BarcodeOutcome::Done:
        // The list was read again: the model is chosen as if scanned now.
        if (chooseModel(context.page, model)) {
            putOnePiece(context.page);
        }
        break;
    case BarcodeOutcome::TakenByOther:
        warn(context.dialogs, QStringLiteral("条码已被其他型号使用：") + pathOf(given.bearer));
        break;
    case BarcodeOutcome::NotFound:
        warn(context.dialogs, QStringLiteral("型号不存在，请重新选择！"));
        break;
    }
}

// Whether the code found its model, now chosen.
bool chooseByCode(BookingContext &context, const QString &typed)
{
    const QString code = normalizedBarcode(typed);
    if (code.isEmpty()) {
        return false;
    }
    const ReadResult<std::optional<ModelKey>> found = findModelByBarcode(context.folders, code);
    if (!found) {
        reportTableFailure(context.dialogs, found.fault(), QString());
        return false;
    }
    // A code kept for a model the catalogue no longer holds finds nothing either.
    if (!*found || !chooseModel(context.page, **found)) {
        offerToSelectedModel(context, code);
        return false;
    }
    putOnePiece(context.page);
    return true;
}

} // namespace

void chooseModelByBarcode(BookingContext &context, const QString &code)
{
    chooseByCode(context, code);
}

void lookUpTypedBarcode(BookingContext &context)
{
    // A code not found stays in the box, to be corrected.
    if (chooseByCode(context, context.page.编辑框条码查找->text())) {
        context.page.编辑框条码查找->clear();
    }
}

} // namespace kucun
