#include "CategoryLoaders.h"

#include "app/AppContext.h"
#include "app/OpenTable.h"
#include "store/Table.h"
#include "ui/RollUpMenu.h"

#include <QComboBox>
#include <QHash>

namespace kucun {

void loadCategories(AppContext &context)
{
    Form &form = context.form;
    form.卷帘式菜单1->clear();
    form.卷帘式菜单2->clear();
    form.组合框品类->clear();
    form.组合框1->clear();
    context.state.categories.clear();

    Table table;
    if (!openOrReport(table, tables::品类, context.dialogs)) {
        return;
    }
    table.first();
    table.forEach([&](const Record &record) {
        const QString category = record.text(fields::品类);
        form.卷帘式菜单1->addGroup(category);
        form.卷帘式菜单2->addGroup(category);
        form.组合框品类->addItem(category);
        context.state.categories.append(category);
        form.组合框1->addItem(category);
        return true;
    });
}

void loadItems(AppContext &context)
{
    Table table;
    if (!openOrReport(table, tables::名称, context.dialogs)) {
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
    table.first();
    table.forEach([&](const Record &record) {
        const auto group = firstGroupOf.constFind(record.text(fields::品类));
        if (group != firstGroupOf.constEnd()) {
            const QString item = record.text(fields::名称);
            form.卷帘式菜单1->addItem(*group, item);
            form.卷帘式菜单2->addItem(*group, item);
        }
        return true;
    });
}

} // namespace kucun
