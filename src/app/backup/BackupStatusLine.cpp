#include "BackupStatusLine.h"

#include "app/AppContext.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>

namespace kucun {

void showBackupStatus(AppContext &context)
{
    auto *window = qobject_cast<QMainWindow *>(context.form.高级选择夹1->window());
    if (!window) {
        return;
    }
    const QString name = QStringLiteral("标签状态备份");
    auto *label = window->statusBar()->findChild<QLabel *>(name);
    if (!label) {
        label = new QLabel;
        label->setObjectName(name);
        window->statusBar()->addPermanentWidget(label);
    }
    const BackupSettings settings = readBackupSettings(context.programDir);
    const BackupStatus status =
        backupStatus(settings, onDataDisk(settings.root, QDir::currentPath()));
    label->setText(status.text);
    label->setStyleSheet(status.alarm ? QStringLiteral("color: #c00000;") : QString());
}

} // namespace kucun
