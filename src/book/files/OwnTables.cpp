#include "OwnTables.h"

#include "book/backup/Backups.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QFileInfo>

namespace kucun {

QStringList createMissingOwnTables(const Book &book)
{
    QStringList made;
    for (const QString &name : tables::ownTableNames()) {
        const QString path = book.pathOf(name);
        if (!QFileInfo::exists(path) && createTableFile(path, name)) {
            made << path;
        }
    }
    return made;
}

LogIdsOutcome giveLogIds(const Book &book, const QDateTime &now)
{
    const QString log = book.pathOf(tables::明细);
    const std::optional<bool> hasIds = logHasOwnIds(log);
    if (!hasIds || *hasIds) {
        return LogIdsOutcome::HadIds;
    }
    if (makeKeptBackup(book.folders(), now, BackupKind::Manual).outcome != BackupOutcome::Done) {
        return LogIdsOutcome::NoBackup;
    }
    return giveLogOwnIds(log) ? LogIdsOutcome::Rebuilt : LogIdsOutcome::Failed;
}

} // namespace kucun
