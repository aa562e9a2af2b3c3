#pragma once

#include "book/files/BookFolders.h"

#include <QDateTime>
#include <QString>

namespace kucun {

class ChangeNotifier;

// Where backups go and what was last made, kept in "kucun.ini" in the
// program's directory: the five table files' fields are fixed.
struct BackupSettings
{
    // The folder the backups go into; by default 备份 beside the table files.
    QString root;
    // How many automatic (daily) backups are kept.
    int keep = 30;
    QDateTime lastTakenAt;
    QString lastFolder;
};

BackupSettings readBackupSettings(const BookFolders &folders);
// Announces backupsChanged: the list shows another folder's backups.
void saveBackupRoot(const BookFolders &folders, const QString &root, ChangeNotifier &changes);
void saveLastBackup(const BookFolders &folders, const QDateTime &takenAt, const QString &folder);

// The first start of a day makes a backup.
bool dailyBackupDue(const BackupSettings &settings, const QDate &today);

} // namespace kucun
