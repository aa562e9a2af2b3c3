#include "WelcomeHandlers.h"

#include "WelcomeDialog.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/backup/BackupHandlers.h"
#include "book/files/DemoData.h"
#include "book/files/Welcome.h"

#include <QDate>
#include <QPushButton>

namespace kucun {

namespace {

void fillWithDemoData(AppContext &context)
{
    QString error;
    if (!addDemoData(context.folders.data, QDate::currentDate(), context.changes, &error)) {
        tell(context.dialogs, QStringLiteral("无法填入示例数据：") + error, Dialogs::Error);
        return;
    }
    inform(context.dialogs,
           QStringLiteral("已填入示例数据：5 个品类、20 个名称、60 个型号和两个月的"
                          "出入库明细。可在“项目设置”中修改或删除。"));
}

} // namespace

WelcomeDialog *welcomeIfDue(QWidget &window, const MaintenanceContext &context)
{
    if (!welcomeDue(context.folders)) {
        return nullptr;
    }
    // Once per book, also when the owner just closes it.
    markWelcomed(context.folders);
    auto *welcome = new WelcomeDialog(&window);
    welcome->setAttribute(Qt::WA_DeleteOnClose);
    welcome->setWindowModality(Qt::WindowModal);
    QObject::connect(welcome->按钮示例数据, &QPushButton::clicked, welcome, &QDialog::close);
    QObject::connect(welcome->按钮示例数据, &QPushButton::clicked, welcome,
                     slotOf(static_cast<const AppContext &>(context), fillWithDemoData));
    QObject::connect(welcome->按钮备份位置首次, &QPushButton::clicked, welcome,
                     slotOf(context, chooseBackupFolder));
    QObject::connect(welcome->按钮开始使用, &QPushButton::clicked, welcome, &QDialog::close);
    welcome->show();
    return welcome;
}

} // namespace kucun
