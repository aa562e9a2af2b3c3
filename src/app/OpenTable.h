#pragma once

#include <QString>

namespace kucun {

class Dialogs;
class Table;

// Opens a table with the table password. On failure tells the user
// "数据库打开失败或丢失！" and returns false.
bool openOrReport(Table &table, const QString &fileName, Dialogs &dialogs);

// Runs a handler step; a table read that the file cannot answer is shown to
// the user instead of escaping into the event loop.
template <typename Step> void runReportingStoreErrors(Dialogs &dialogs, Step &&step);

void reportStoreError(Dialogs &dialogs, const QString &message);

} // namespace kucun

#include "store/StoreError.h"

template <typename Step> void kucun::runReportingStoreErrors(Dialogs &dialogs, Step &&step)
{
    try {
        step();
    } catch (const StoreError &error) {
        reportStoreError(dialogs, error.message());
    }
}
