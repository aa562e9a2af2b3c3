#pragma once

#include "AppState.h"
#include "Messages.h"
#include "book/files/BookFolders.h"

#include <QString>
#include <type_traits>

namespace kucun {

class ChangeNotifier;
class Dialogs;

// What every handler works with besides its page: the window's shared
// state, the dialogs, the book's folders and where the exports go, and
// where the stock book's operations announce their changes.
struct AppContext
{
    AppState &state;
    Dialogs &dialogs;
    ChangeNotifier &changes;
    // The stock book's folders: data, program and backups.
    BookFolders folders;
    // Where 导出表格 writes its file.
    QString exportDir;
};

// A handler's context: the shared part and the one page it serves.
template <typename Page> struct PageContext : AppContext
{
    Page &page;
};

// A slot running a handler with the context, and with the signal's
// arguments when the handler takes them. A StoreError the handler leaves is
// shown rather than ending the program.
template <typename Context, typename Handler> auto slotOf(const Context &context, Handler handle)
{
    return [context, handle](auto &&...arguments) {
        Context served = context;
        runReportingStoreErrors(served.dialogs, [&] {
            if constexpr (std::is_invocable_v<Handler &, Context &, decltype(arguments)...>) {
                handle(served, arguments...);
            } else {
                handle(served);
            }
        });
    };
}

} // namespace kucun
