#include "Messages.h"

#include "ui/Dialogs.h"

namespace kucun {

void tell(Dialogs &dialogs, const QString &text, int icon)
{
    dialogs.message(text, QString(), icon, Dialogs::Buttons::Ok);
}

void warn(Dialogs &dialogs, const QString &text)
{
    tell(dialogs, text, Dialogs::Warning);
}

void inform(Dialogs &dialogs, const QString &text)
{
    tell(dialogs, text, Dialogs::Information);
}

void reportTableUnavailable(Dialogs &dialogs)
{
    tell(dialogs, QStringLiteral("数据库打开失败或丢失！"), Dialogs::Error);
}

void reportStoreError(Dialogs &dialogs, const QString &message)
{
    dialogs.message(QStringLiteral("数据表读取错误：%1").arg(message),
                    QStringLiteral("库存管理系统"), Dialogs::Error, Dialogs::Buttons::Ok);
}

} // namespace kucun
