#include "RecordCounts.h"

#include <QFile>
#include <QHash>
#include <sys/stat.h>

namespace kucun::recordcounts {

namespace {

struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<FileStamp> stampOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    return FileStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

struct Memo
{
    FileStamp stamp;
    qint64 count = 0;
};

QHash<QString, Memo> &memos()
{
    static QHash<QString, Memo> byPath;
    return byPath;
}

// Server keys start with a character no absolute file path does.
constexpr QChar serverMark = u'@';
bool serverFollowed = false;

// A server table's memo carries no stamp: an empty one stands for it, while
// the program learns of the changes others make.
std::optional<FileStamp> stampOrServer(const QString &path)
{
    if (!path.startsWith(serverMark)) {
        return stampOf(path);
    }
    return serverFollowed ? std::optional<FileStamp>(FileStamp{}) : std::nullopt;
}

} // namespace

std::optional<qint64> lookup(const QString &path)
{
    const auto memo = memos().constFind(path);
    if (memo == memos().constEnd()) {
        return std::nullopt;
    }
    const std::optional<FileStamp> stamp = stampOrServer(path);
    if (!stamp || !(*stamp == memo->stamp)) {
        memos().remove(path);
        return std::nullopt;
    }
    return memo->count;
}

void remember(const QString &path, qint64 count)
{
    const std::optional<FileStamp> stamp = stampOrServer(path);
    if (stamp) {
        memos().insert(path, {*stamp, count});
    } else {
        memos().remove(path);
    }
}

void forget(const QString &path)
{
    memos().remove(path);
}

QString serverKey(const QString &conninfo, const QString &table)
{
    return serverMark + conninfo + QLatin1Char('\n') + table;
}

void followingServer(bool following)
{
    serverFollowed = following;
    if (!following) {
        forgetServerTable(QString());
    }
}

void forgetServerTable(const QString &table)
{
    const QString ending = QLatin1Char('\n') + table;
    memos().removeIf([&](const auto &memo) {
        return memo.key().startsWith(serverMark) &&
               (table.isEmpty() || memo.key().endsWith(ending));
    });
}

} // namespace kucun::recordcounts
