#pragma once

#include <QStringList>

namespace kucun {

// The log page's search that the result list shows.
enum class LogSearch
{
    None,
    Keyword,
    DateRange,
};

// State shared between the handlers of one main window.
struct AppState
{
    // One entry per 品类 record in table order; entry j is group j of both
    // roll-up menus.
    QStringList categories;
    LogSearch lastLogSearch = LogSearch::None;
};

} // namespace kucun
