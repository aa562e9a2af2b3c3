#include "WelcomeHandlers.h"

#include "GoToMaintenance.h"
#include "WelcomeDialog.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/backup/BackupHandlers.h"
#include "book/files/DemoData.h"
#include "book/files/Welcome.h"

#include <QDate>
#include <QDir>
#include <QPushButton>

namespace kucun {

namespace {

void fillWithDemoData(AppContext &context)
{
    QString error;
    if (!addDemoData(QDir::currentPath(), QDate::currentDate(), context.changes, &error)) {
        tell(context.dialogs, QStringLiteral("无法填入示例数据：") + error, Dialogs::Error);
        return;
    }
    inform(context.dialogs,
           QStringLiteral("已填入示例数据：5 个品类、20 个名称、60 个型号和两个月的"
                          "出入库明细。可在“项目设置”中修改或删除。"));
}

} // namespace

void welcomeIfDue(QWidget &window, AppContext &context)
{
    if (!welcomeDue(context.programDir)) {
        return;
    }
    // Once per book, also when the owner just closes it.
    markWelcomed(context.programDir);
    auto *welcome = new WelcomeDialog(&window);
    welcome->setAttribute(Qt::WA_DeleteOnClose);
    welcome->setWindowModality(Qt::WindowModal);
    const auto step = [&context, welcome](void (*action)(AppContext &), bool done) {
        return [&context, welcome, action, done] {
            if (done) {
                welcome->close();
            }
            runReportingStoreErrors(context.dialogs, [&] { action(context); });
        };
    };
    QObject::connect(welcome->按钮示例数据, &QPushButton::clicked, welcome,
                     step(fillWithDemoData, true));
    QObject::connect(welcome->按钮开始使用, &QPushButton::clicked, welcome,
                     step(goToMaintenance, true));
    QObject::connect(welcome->按钮备份位置首次, &QPushButton::clicked, welcome,
                     step(chooseBackupFolder, false));
    welcome->show();
}

} // namespace kucun
