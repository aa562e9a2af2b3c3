#pragma once

#include "book/backup/BooksInUse.h"
#include "book/settings/Settings.h"

#include <QStringList>
#include <memory>

namespace kucun {

// State the pages of one main window share; each page keeps its own.
struct AppState
{
    // One entry per 品类 record in table order; entry j is group j of both
    // roll-up menus.
    QStringList categories;
    // The items of table 名称 under each entry of categories, in table order.
    QList<QStringList> items;
    // The password and its three flags as read at start-up; a save changes
    // them only at the next start.
    PasswordSettings settings;
    // The shared hold of the books this window keeps while it runs; a
    // restore holds them alone for a while.
    std::unique_ptr<BooksInUse> books;
};

} // namespace kucun
