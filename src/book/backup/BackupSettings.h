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
    // Why the last automatic backup failed; empty once one is made again.
    QString lastFailure;
};

BackupSettings readBackupSettings(const BookFolders &folders);
// Announces backupsChanged: the list shows another folder's backups.
void saveBackupRoot(const BookFolders &folders, const QString &root, ChangeNotifier &changes);
// A backup made: the failure of an earlier one no longer stands.
void saveLastBackup(const BookFolders &folders, const QDateTime &takenAt, const QString &folder);
void saveBackupFailure(const BookFolders &folders, const QString &reason);

// The first start of a day makes a backup.
bool dailyBackupDue(const BackupSettings &settings, const QDate &today);

// The line the status bar keeps: "上次备份：<time>", and an alarm with its
// reason when the last automatic backup failed or the backups lie on the
// disk that holds the books, where one broken disk loses both.
struct BackupStatus
{
    QString text;
    bool alarm = false;
};
BackupStatus backupStatus(const BackupSettings &settings, bool onDataDisk);

} // namespace kucun
