#include "OpenTable.h"

#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/Dialogs.h"

namespace kucun {

bool openOrReport(Table &table, const QString &fileName, Dialogs &dialogs)
{
    if (table.open(fileName, tablePassword())) {
        return true;
    }
    dialogs.message(QStringLiteral("数据库打开失败或丢失！"), QString(), Dialogs::Error, false);
    return false;
}

void reportStoreError(Dialogs &dialogs, const QString &message)
{
    dialogs.message(QStringLiteral("数据表读取错误：%1").arg(message),
                    QStringLiteral("库存管理系统"), Dialogs::Error, false);
}

} // namespace kucun
