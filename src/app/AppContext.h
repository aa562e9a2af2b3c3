#pragma once

#include "AppState.h"
#include "Form.h"

#include <QString>

namespace kucun {

class Dialogs;

// What every handler works with: the window's controls, the shared state,
// the dialogs and where the program's own files live.
struct AppContext
{
    Form &form;
    AppState &state;
    Dialogs &dialogs;
    QString programDir;
};

} // namespace kucun
