#include "BackupStatusLine.h"

#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "ui/StatusLabel.h"

#include <QLabel>

namespace kucun {

void showBackupStatus(QWidget &inWindow, const BookFolders &folders)
{
    QLabel *label = permanentStatusLabel(inWindow, QStringLiteral("标签状态备份"));
    if (!label) {
        return;
    }
    const BackupSettings settings = readBackupSettings(folders);
    const BackupStatus status = backupStatus(settings, onDataDisk(settings.root, folders));
    label->setText(status.text);
    label->setStyleSheet(status.alarm ? QStringLiteral("color: #c00000;") : QString());
}

} // namespace kucun
