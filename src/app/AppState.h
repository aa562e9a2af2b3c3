#pragma once

#include "book/backup/BooksInUse.h"
#include "book/settings/Settings.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace kucun {

// The log page's search that the result list shows.
enum class LogSearch
{
    None,
    Keyword,
    DateRange,
};

// Reports to rebuild when they are next shown.
struct OutdatedReports
{
    bool wholeStock = false;
    bool byCategory = false;
    bool monthly = false;
    // Start-up fills the other three; this one is built when first shown.
    bool onDay = true;
};

// State shared between the handlers of one main window.
struct AppState
{
    // One entry per 品类 record in table order; entry j is group j of both
    // roll-up menus.
    QStringList categories;
    // The keyword the booking page's model list was last filtered with; a
    // reload after a booking filters the list with it again.
    std::optional<QString> bookingFilter;
    LogSearch lastLogSearch = LogSearch::None;
    // The reports whose data changed while they were hidden.
    OutdatedReports outdatedReports;
    // The password and its three flags as read at start-up; a save changes
    // them only at the next start.
    PasswordSettings settings;
    // The shared hold of the books this window keeps while it runs; a
    // restore holds them alone for a while.
    std::unique_ptr<BooksInUse> books;
};

} // namespace kucun
