#include "BackupSettings.h"

#include "book/ChangeNotifier.h"
#include "book/settings/ProgramIni.h"

namespace kucun {

BackupSettings readBackupSettings(const BookFolders &folders)
{
    const QSettings file = programIni(folders.program);
    BackupSettings settings;
    settings.root = file.value(QStringLiteral("backup/folder"), folders.backup).toString();
    settings.keep = file.value(QStringLiteral("backup/keep"), 30).toInt();
    settings.lastTakenAt = file.value(QStringLiteral("backup/lastTakenAt")).toDateTime();
    settings.lastFolder = file.value(QStringLiteral("backup/lastFolder")).toString();
    settings.lastFailure = file.value(QStringLiteral("backup/lastFailure")).toString();
    return settings;
}

void saveBackupRoot(const BookFolders &folders, const QString &root, ChangeNotifier &changes)
{
    programIni(folders.program).setValue(QStringLiteral("backup/folder"), root);
    emit changes.backupsChanged();
}

void saveLastBackup(const BookFolders &folders, const QDateTime &takenAt, const QString &folder)
{
    QSettings file = programIni(folders.program);
    file.setValue(QStringLiteral("backup/lastTakenAt"), takenAt);
    file.setValue(QStringLiteral("backup/lastFolder"), folder);
    file.remove(QStringLiteral("backup/lastFailure"));
}

void saveBackupFailure(const BookFolders &folders, const QString &reason)
{
    programIni(folders.program).setValue(QStringLiteral("backup/lastFailure"), reason);
}

bool dailyBackupDue(const BackupSettings &settings, const QDate &today)
{
    return !settings.lastTakenAt.isValid() || settings.lastTakenAt.date() < today;
}

BackupStatus backupStatus(const BackupSettings &settings, bool onDataDisk)
{
    BackupStatus status;
    status.text = settings.lastTakenAt.isValid()
                      ? QStringLiteral("上次备份：%1")
                            .arg(settings.lastTakenAt.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                      : QStringLiteral("尚未备份");
    if (!settings.lastFailure.isEmpty()) {
        status.text += QStringLiteral("　自动备份失败：") + settings.lastFailure;
        status.alarm = true;
    } else if (onDataDisk) {
        status.text += QStringLiteral("　备份与数据在同一磁盘上，请在项目设置中改选U盘或其他磁盘");
        status.alarm = true;
    }
    return status;
}

} // namespace kucun
