#pragma once

#include "AppState.h"
#include "Form.h"
#include "book/files/BookFolders.h"

#include <QString>

namespace kucun {

class ChangeNotifier;
class Dialogs;

// What every handler works with: the window's controls, the shared state,
// the dialogs, where the program's own files and the exports go, and where the stock
// book's operations announce their changes.
struct AppContext
{
    Form &form;
    AppState &state;
    Dialogs &dialogs;
    ChangeNotifier &changes;
    // The stock book's folders: data, program and backups.
    BookFolders folders;
    // Where 导出表格 writes its file.
    QString exportDir;
};

} // namespace kucun
