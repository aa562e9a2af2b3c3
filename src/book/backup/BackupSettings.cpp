#include "BackupSettings.h"

#include "book/ChangeNotifier.h"
#include "book/settings/ProgramIni.h"

#include <QDir>

namespace kucun {

BackupSettings readBackupSettings(const BookFolders &folders)
{
    const QSettings file = programIni(folders.program);
    BackupSettings settings;
    settings.root = file.value(QStringLiteral("backup/folder"), folders.backup).toString();
    settings.keep = file.value(QStringLiteral("backup/keep"), 30).toInt();
    settings.lastTakenAt = file.value(QStringLiteral("backup/lastTakenAt")).toDateTime();
    settings.lastFolder = file.value(QStringLiteral("backup/lastFolder")).toString();
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
}

bool dailyBackupDue(const BackupSettings &settings, const QDate &today)
{
    return !settings.lastTakenAt.isValid() || settings.lastTakenAt.date() < today;
}

} // namespace kucun
