#include "Messages.h"

#include "ui/Dialogs.h"

namespace kucun {

void tell(Dialogs &dialogs, const QString &text, Dialogs::Icon icon)
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
    reportTableFailure(dialogs, StoreFault::Unavailable, QString());
}

QString tableFailureText(StoreFault fault, const QString &writeFailedText)
{
    switch (fault.kind()) {
    case StoreFault::Unavailable:
        if (!fault.serverReason().isEmpty()) {
            return QStringLiteral("无法连接数据库服务器：") + fault.serverReason();
        }
        return QStringLiteral("数据库打开失败或丢失！");
    case StoreFault::Busy:
        return QStringLiteral("数据表正被其他程序使用，请稍后重试！");
    case StoreFault::ReadOnly:
        return QStringLiteral("数据表为只读，无法写入！");
    case StoreFault::WrongLayout: {
        if (fault.table().isEmpty()) {
            return QStringLiteral("数据表的字段缺失或类型不符，无法使用！");
        }
        return QStringLiteral("数据表“%1”的字段“%2”缺失或类型不符，无法使用！")
            .arg(fault.table(), fault.field());
    }
    case StoreFault::None:
    case StoreFault::WriteFailed:
        break;
    }
    return writeFailedText;
}

void reportTableFailure(Dialogs &dialogs, StoreFault fault, const QString &writeFailedText)
{
    tell(dialogs, tableFailureText(fault, writeFailedText), Dialogs::Error);
}

bool toldTableFailure(Dialogs &dialogs, StoreFault fault, const QString &writeFailedText)
{
    if (fault == StoreFault::None) {
        return false;
    }
    reportTableFailure(dialogs, fault, writeFailedText);
    return true;
}

void reportStoreError(Dialogs &dialogs, const QString &message)
{
    dialogs.message(QStringLiteral("数据表读取错误：%1").arg(message),
                    QStringLiteral("库存管理系统"), Dialogs::Error, Dialogs::Buttons::Ok);
}

} // namespace kucun
