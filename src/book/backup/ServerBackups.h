#pragma once

#include "Backups.h"

// Backups of a book kept on a PostgreSQL server: pg_dump's archive of schema
// kucun in the backup's folder; a restore swaps the archive's schema in for
// the one in use in one server transaction.
namespace kucun::serverbackup {

// Writes the book's archive into a backup's folder and counts its figures,
// both from one snapshot of the book.
Outcome<BackupOutcome> dumpBook(const QString &conninfo, const QString &folder, BackupInfo &info);

// Why the archive in a backup's folder can't be restored into a server
// book, read from its table of contents; empty when it can.
QString dumpProblem(const QString &folder);

// Puts the archive's tables in place of the book's in one transaction that
// holds the writers' lock: the archive is restored as a new schema kucun,
// the one in use renamed and dropped; 设置 keeps the records in force and
// no id the book handed out is handed out again. Whole or nothing: an
// archive that is damaged, foreign or cut short, or a server that fails on
// the way, leaves the book as it was. BackupUnsound comes with the reason.
Outcome<RestoreOutcome> restoreDump(const QString &conninfo, const QString &folder,
                                    QString *problem);

} // namespace kucun::serverbackup
