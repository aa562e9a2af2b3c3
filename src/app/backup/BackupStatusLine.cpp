#include "BackupStatusLine.h"

#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace kucun {

void showBackupStatus(QWidget &inWindow, const BookFolders &folders)
{
    auto *window = qobject_cast<QMainWindow *>(inWindow.window());
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
    const BackupSettings settings = readBackupSettings(folders);
    const BackupStatus status = backupStatus(settings, onDataDisk(settings.root, folders.data));
    label->setText(status.text);
    label->setStyleSheet(status.alarm ? QStringLiteral("color: #c00000;") : QString());
}

} // namespace kucun
