#include "BackupFiles.h"

#include "store/Table.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace kucun::backupfiles {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

void syncFolder(const QString &folder)
{
    const Handle handle(::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.fd >= 0) {
        ::fsync(handle.fd);
    }
}

bool isNoRoom(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

Copy copyFile(const QString &from, const QString &to)
{
    const Handle source(::open(encoded(from).constData(), O_RDONLY | O_CLOEXEC));
    if (source.fd < 0) {
        return Copy::Failed;
    }
    const Handle copy(
        ::open(encoded(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (copy.fd < 0) {
        return isNoRoom(errno) ? Copy::NoRoom : Copy::Failed;
    }
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t read = ::read(source.fd, chunk.data(), size_t(chunk.size()));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return Copy::Failed;
        }
        if (read == 0) {
            break;
        }
        for (ssize_t written = 0; written < read;) {
            const ssize_t wrote =
                ::write(copy.fd, chunk.constData() + written, size_t(read - written));
            if (wrote < 0 && errno == EINTR) {
                continue;
            }
            if (wrote <= 0) {
                return wrote < 0 && isNoRoom(errno) ? Copy::NoRoom : Copy::Failed;
            }
            written += wrote;
        }
    }
    return Copy::Done;
}

Copy catchUp(const QString &from, const QString &to)
{
    const Handle source(::open(encoded(from).constData(), O_RDONLY | O_CLOEXEC));
    const Handle copy(::open(encoded(to).constData(), O_RDWR | O_CLOEXEC));
    struct stat size = {};
    if (source.fd < 0 || copy.fd < 0 || ::fstat(source.fd, &size) != 0) {
        return Copy::Failed;
    }
    constexpr qsizetype piece = 1 << 20;
    QByteArray live(piece, Qt::Uninitialized);
    QByteArray copied(piece, Qt::Uninitialized);
    for (off_t at = 0; at < size.st_size; at += piece) {
        const ssize_t read = ::pread(source.fd, live.data(), piece, at);
        if (read <= 0) {
            return Copy::Failed;
        }
        const ssize_t old = ::pread(copy.fd, copied.data(), size_t(read), at);
        if (old != read || std::memcmp(live.constData(), copied.constData(), size_t(read)) != 0) {
            if (::pwrite(copy.fd, live.constData(), size_t(read), at) != read) {
                return isNoRoom(errno) ? Copy::NoRoom : Copy::Failed;
            }
        }
    }
    return ::ftruncate(copy.fd, size.st_size) == 0 ? Copy::Done : Copy::Failed;
}

Copy syncFile(const QString &path)
{
    const Handle file(::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC));
    struct stat written = {};
    if (file.fd < 0 || ::fstat(file.fd, &written) != 0) {
        return Copy::Failed;
    }
    constexpr off_t piece = 8 << 20;
    for (off_t at = 0; at < written.st_size; at += piece) {
        if (::sync_file_range(file.fd, at, piece,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                  SYNC_FILE_RANGE_WAIT_AFTER) != 0) {
            break; // not on this file system: the fsync below does it all
        }
    }
    return ::fsync(file.fd) == 0 ? Copy::Done : isNoRoom(errno) ? Copy::NoRoom : Copy::Failed;
}

QStringList filesOfABackup()
{
    QStringList names{figuresFile, writingLock, serverDumpFile};
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        names << tables::fileNameOf(table)
              << tables::fileNameOf(table) + QStringLiteral("-journal");
    }
    return names;
}

bool removeFolderOf(const QString &parent, const QString &name, const QStringList &files)
{
    const Handle above(::open(encoded(parent).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (above.fd < 0) {
        return false;
    }
    {
        const Handle folder(::openat(above.fd, encoded(name).constData(),
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.fd < 0) {
            return false;
        }
        for (const QString &file : files) {
            ::unlinkat(folder.fd, encoded(file).constData(), 0);
        }
    }
    return ::unlinkat(above.fd, encoded(name).constData(), AT_REMOVEDIR) == 0;
}

bool holdsEveryField(const QString &path, const QString &table)
{
    Table opened;
    if (!opened.open(path, tablePassword())) {
        return false;
    }
    const FieldList &stored = opened.schema().fields();
    return std::all_of(tables::fieldsOf(table).cbegin(), tables::fieldsOf(table).cend(),
                       [&stored](const FieldDefinition &field) {
                           return std::any_of(stored.cbegin(), stored.cend(),
                                              [&field](const FieldDefinition &column) {
                                                  return column.name == field.name;
                                              });
                       });
}

bool sameFolder(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty()) {
        return false;
    }
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonical = first.canonicalFilePath();
    return canonical.isEmpty() ? first.absoluteFilePath() == second.absoluteFilePath()
                               : canonical == second.canonicalFilePath();
}

} // namespace kucun::backupfiles
