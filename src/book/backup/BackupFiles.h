#pragma once

#include "store/TableSchema.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <unistd.h>

// What a backup and a restore do with files and folders: copies that last a
// power cut, and removal that never follows a link.
namespace kucun::backupfiles {

inline const QString figuresFile = QStringLiteral("备份信息.ini");
// Held locked by the backup writing a ".partial" folder, for as long as it writes.
inline const QString writingLock = QStringLiteral(".写入中");
inline const QStringList dataTables{tables::品类, tables::名称, tables::型号, tables::明细};
// Kept with the data tables when there: 型号资料 and 明细金额.
inline const QStringList ownTables = tables::ownTableNames();
// A backup of a book on a PostgreSQL server holds pg_dump's archive of it.
inline const QString serverDumpFile = QStringLiteral("kucun.dump");

QByteArray encoded(const QString &path);

// A file handle closed when it goes out of scope.
struct Handle
{
    int fd = -1;
    Handle() = default;
    explicit Handle(int opened) : fd(opened) {}
    ~Handle()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
};

// Makes a folder's new entries (a renamed folder, a new file) last a power cut.
void syncFolder(const QString &folder);

bool isNoRoom(int error);

enum class Copy
{
    Done,
    NoRoom, // the disk (or the file system's largest file) is full
    Failed,
};

// Copies a file into a new one, into the system's cache: syncFile makes it last.
Copy copyFile(const QString &from, const QString &to);

// Makes a copy equal to the file again after the file changed: reads both
// and writes only the megabytes that differ. Both are in the system's
// cache, so this takes a small part of a copy.
Copy catchUp(const QString &from, const QString &to);

// Makes a file last a power cut. Written out a few megabytes at a time:
// a booking's own sync meanwhile (which, on ext4, waits for the data of
// every file written since the last one) waits for one piece, not for all.
Copy syncFile(const QString &path);

// The files a backup or a staging folder holds: the only ones ever removed.
QStringList filesOfABackup();

// Removes the named files of a folder under `parent`, then the folder if
// that left it empty. Never follows a link: a link named like the folder is
// left alone, and so is anything a link in the folder points at.
bool removeFolderOf(const QString &parent, const QString &name, const QStringList &files);

// Whether the file opens as the table with every one of its fields.
bool holdsEveryField(const QString &path, const QString &table);

bool sameFolder(const QString &a, const QString &b);

} // namespace kucun::backupfiles
