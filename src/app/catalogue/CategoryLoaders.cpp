#include "ModelLists.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/catalogue/CatalogueReads.h"
#include "ui/RollUpMenu.h"

#include <QHash>

namespace kucun {

void readCatalogue(AppContext &context)
{
    AppState &state = context.state;
    state.categories.clear();
    state.items.clear();
    if (const ReadResult<QStringList> categories = readCategories(context.folders); !categories) {
        reportTableFailure(context.dialogs, categories.fault(), QString());
    } else {
        state.categories = *categories;
    }
    state.items.resize(state.categories.size());
    const ReadResult<QList<CatalogueItem>> items = readItems(context.folders);
    if (!items) {
        reportTableFailure(context.dialogs, items.fault(), QString());
        return;
    }
    // The first group of each category text: a text listed twice in 品类
    // collects all its items under its first group.
    QHash<QString, int> firstGroupOf;
    for (int group = int(state.categories.size()) - 1; group >= 0; --group) {
        firstGroupOf.insert(state.categories[group], group);
    }
    for (const CatalogueItem &entry : *items) {
        const auto group = firstGroupOf.constFind(entry.category);
        if (group != firstGroupOf.constEnd()) {
            state.items[*group].append(entry.item);
        }
    }
}

void showCatalogue(RollUpMenu &menu, const AppState &state)
{
    menu.clear();
    for (const QString &category : state.categories) {
        menu.addGroup(category);
    }
    for (int group = 0; group < state.items.size(); ++group) {
        for (const QString &item : state.items[group]) {
            menu.addItem(group, item);
        }
    }
}

} // namespace kucun
