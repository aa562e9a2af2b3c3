#include "CategoryLoaders.h"

#include "MenuHandlers.h"
#include "ModelLists.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/Pages.h"
#include "book/catalogue/CatalogueReads.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>

namespace kucun {

void loadCategories(AppContext &context)
{
    Form &form = context.form;
    // The category report's choice stays chosen when its category is still there.
    const std::optional<QString> reportCategory = form.组合框1->currentIndex() < 0
                                                      ? std::nullopt
                                                      : std::optional(form.组合框1->currentText());
    form.卷帘式菜单1->clear();
    form.卷帘式菜单2->clear();
    form.组合框品类->clear();
    form.组合框1->clear();
    context.state.categories.clear();

    const ReadResult<QStringList> categories = readCategories(context.folders);
    if (!categories) {
        reportTableFailure(context.dialogs, categories.fault(), QString());
        return;
    }
    for (const QString &category : *categories) {
        form.卷帘式菜单1->addGroup(category);
        form.卷帘式菜单2->addGroup(category);
        form.组合框品类->addItem(category);
        form.组合框1->addItem(category);
    }
    // A filled drop-down selects its first entry by itself; a new item's
    // category is the owner's choice, so none is chosen after a reload.
    form.组合框品类->setCurrentIndex(-1);
    form.组合框1->setCurrentIndex(
        reportCategory
            ? form.组合框1->findText(*reportCategory, Qt::MatchExactly | Qt::MatchCaseSensitive)
            : -1);
    context.state.categories = *categories;
}

void loadItems(AppContext &context)
{
    const ReadResult<QList<CatalogueItem>> items = readItems(context.folders);
    if (!items) {
        reportTableFailure(context.dialogs, items.fault(), QString());
        return;
    }
    // The first group of each category text: a text listed twice in 品类
    // collects all its items under its first group.
    QHash<QString, int> firstGroupOf;
    const QStringList &categories = context.state.categories;
    for (int group = int(categories.size()) - 1; group >= 0; --group) {
        firstGroupOf.insert(categories[group], group);
    }
    Form &form = context.form;
    for (const CatalogueItem &entry : *items) {
        const auto group = firstGroupOf.constFind(entry.category);
        if (group != firstGroupOf.constEnd()) {
            form.卷帘式菜单1->addItem(*group, entry.item);
            form.卷帘式菜单2->addItem(*group, entry.item);
        }
    }
}

void reloadCatalogue(AppContext &context)
{
    loadCategories(context);
    loadItems(context);
    orderBookingFocus(context.form);
    onBookingGroupChosen(context);
    context.form.标签设置名称->clear();
    context.form.超级列表框设置->list().clear();
}

} // namespace kucun
