#pragma once

#include "AppState.h"
#include "Form.h"

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
    QString programDir;
    // Where 导出表格 writes its file.
    QString exportDir;
};

} // namespace kucun
