#include "BackupSettings.h"

#include "book/ChangeNotifier.h"
#include "book/settings/ProgramIni.h"

#include <QDir>

namespace kucun {

BackupSettings readBackupSettings(const QString &programDir)
{
    const QSettings file = programIni(programDir);
    BackupSettings settings;
    settings.root = file.value(QStringLiteral("backup/folder"),
                               QDir::current().filePath(QStringLiteral("备份")))
                        .toString();
    settings.keep = file.value(QStringLiteral("backup/keep"), 30).toInt();
    settings.lastTakenAt = file.value(QStringLiteral("backup/lastTakenAt")).toDateTime();
    settings.lastFolder = file.value(QStringLiteral("backup/lastFolder")).toString();
    return settings;
}

void saveBackupRoot(const QString &programDir, const QString &root, ChangeNotifier &changes)
{
    programIni(programDir).setValue(QStringLiteral("backup/folder"), root);
    emit changes.backupsChanged();
}

void saveLastBackup(const QString &programDir, const QDateTime &takenAt, const QString &folder)
{
    QSettings file = programIni(programDir);
    file.setValue(QStringLiteral("backup/lastTakenAt"), takenAt);
    file.setValue(QStringLiteral("backup/lastFolder"), folder);
}

bool dailyBackupDue(const BackupSettings &settings, const QDate &today)
{
    return !settings.lastTakenAt.isValid() || settings.lastTakenAt.date() < today;
}

} // namespace kucun
