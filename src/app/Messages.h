#pragma once

#include "book/TableFailure.h"
#include "ui/Dialogs.h"

#include <QString>

namespace kucun {

// A message box with one OK button and no caption of its own.
void tell(Dialogs &dialogs, const QString &text, Dialogs::Icon icon);

// The same with the warning and the information icon.
void warn(Dialogs &dialogs, const QString &text);
void inform(Dialogs &dialogs, const QString &text);

// "数据库打开失败或丢失！": a table could not be opened.
void reportTableUnavailable(Dialogs &dialogs);

// Why a table of an operation failed: missing or damaged ("数据库打开失败或
// 丢失！"), busy, read-only, fields missing or of another type, or the
// operation's own text for a failed write.
QString tableFailureText(StoreFault fault, const QString &writeFailedText);
void reportTableFailure(Dialogs &dialogs, StoreFault fault, const QString &writeFailedText);

// The same for the fault of a write's outcome; false, and nothing shown,
// for None.
bool toldTableFailure(Dialogs &dialogs, StoreFault fault, const QString &writeFailedText);

// A read the code gets wrong (a field no table declares, no open table),
// shown to the user.
void reportStoreError(Dialogs &dialogs, const QString &message);

// Runs a handler step. The stock book tells every fault of the files
// through its results; a StoreError left is a fault of the code, shown
// rather than ending the program, which would lose what the owner was doing.
template <typename Step> void runReportingStoreErrors(Dialogs &dialogs, Step &&step)
{
    try {
        step();
    } catch (const StoreError &error) {
        reportStoreError(dialogs, error.message());
    }
}

} // namespace kucun
