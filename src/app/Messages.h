#pragma once

#include "store/StoreError.h"

#include <QString>

namespace kucun {

class Dialogs;

// A message box with one OK button and no caption of its own.
void tell(Dialogs &dialogs, const QString &text, int icon);

// The same with the warning and the information icon.
void warn(Dialogs &dialogs, const QString &text);
void inform(Dialogs &dialogs, const QString &text);

// "数据库打开失败或丢失！": a table could not be opened.
void reportTableUnavailable(Dialogs &dialogs);

// A table read that the file cannot answer, shown to the user.
void reportStoreError(Dialogs &dialogs, const QString &message);

// Runs a handler step; a store error is shown instead of escaping into the
// event loop.
template <typename Step> void runReportingStoreErrors(Dialogs &dialogs, Step &&step)
{
    try {
        step();
    } catch (const StoreError &error) {
        reportStoreError(dialogs, error.message());
    }
}

} // namespace kucun
