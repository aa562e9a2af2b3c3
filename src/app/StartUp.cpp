#include "StartUp.h"

#include "AppContext.h"
#include "Messages.h"
#include "app/settings/PasswordHandlers.h"
#include "book/backup/BooksInUse.h"
#include "book/files/Book.h"
#include "book/files/InterruptedWrites.h"
#include "book/files/OwnTables.h"
#include "book/files/TableIndexes.h"
#include "book/settings/Settings.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QWidget>

namespace kucun {

namespace {

// Loads the settings and asks the login password until it is right. False
// when the program must end: it is locked, the settings record can't be read,
// the login was cancelled or the third wrong entry locked it.
bool logIn(AppContext &context, MaintenancePage &page)
{
    LoginLockOut lockOut(context.folders);
    for (;;) {
        switch (loadSettings(context, page)) {
        case SettingsLoad::Locked:
            context.dialogs.message(QStringLiteral("密码错误次数过多，本程序已停止使用！"),
                                    QStringLiteral("本程序已禁止使用"), Dialogs::Error,
                                    Dialogs::Buttons::Ok);
            return false;
        case SettingsLoad::Unreadable:
            return false;
        case SettingsLoad::Loaded:
            break;
        }
        if (!loginRequired(context.state.settings)) {
            return true;
        }
        const std::optional<QString> typed = context.dialogs.input(
            QStringLiteral("请输入登录密码"), QStringLiteral("库存管理系统"), QString(), true);
        if (!typed) {
            return false;
        }
        if (passwordMatches(*typed, context.state.settings.password)) {
            return true;
        }
        context.dialogs.message(QStringLiteral("输入密码有误，请重新输入！"),
                                QStringLiteral("密码错误次数 %1 次").arg(lockOut.failures() + 1),
                                Dialogs::Error, Dialogs::Buttons::Ok);
        if (lockOut.countFailure()) {
            context.dialogs.message(QStringLiteral("密码错误次数过多，程序已锁定！"),
                                    QStringLiteral("程序锁定"), Dialogs::Error,
                                    Dialogs::Buttons::Ok);
            return false;
        }
    }
}

// False when a change cut short in a folder that has moved since can't be
// made to roll back here: opening any table would keep half of it.
bool tablesMayOpen(QWidget &window, AppContext &context)
{
    // Held for the window's life; while another copy restores a backup the
    // window waits for it, saying so, and then opens the books restored.
    context.state.books = std::make_unique<BooksInUse>(context.folders.data);
    // A server's transactions never leave half a write behind.
    if (Book(context.folders).isOnServer()) {
        return true;
    }
    auto *status = qobject_cast<QMainWindow *>(&window);
    const WriteRecovery recovery =
        recoverInterruptedWrites(context.folders, *context.state.books, [status] {
            if (status && status->statusBar()->currentMessage().isEmpty()) {
                status->statusBar()->showMessage(
                    QStringLiteral("其他窗口正在恢复备份，请稍候，完成后将打开恢复后的数据……"));
            }
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (status) {
        status->statusBar()->clearMessage();
    }
    if (!recovery.tablesMayOpen) {
        tell(context.dialogs,
             QStringLiteral("上次写入数据时程序被中断，之后数据文件夹被移动过，"
                            "中断的写入无法在这里撤销。\n请先把文件夹移回原来的位置：\n%1\n"
                            "在那里启动一次本程序，中断的写入会被撤销，之后再移动文件夹。")
                 .arg(recovery.originalFolder),
             Dialogs::Error);
    }
    return recovery.tablesMayOpen;
}

} // namespace

bool startUp(QWidget &window, AppContext &context, MaintenancePage &page)
{
    window.move(window.x(), 0);
    if (!tablesMayOpen(window, context) || !logIn(context, page)) {
        window.close();
        return false;
    }
    // Mends of the table files; a server book is made whole by kucun-init.
    if (!Book(context.folders).isOnServer()) {
        removeLeftJournals(context.folders);
        addMissingTableIndexes(context.folders);
        createMissingOwnTables(context.folders);
        giveLogIds(context.folders, QDateTime::currentDateTime());
    }
    return true;
}

} // namespace kucun
