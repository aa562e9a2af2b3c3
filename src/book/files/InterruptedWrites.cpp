#include "InterruptedWrites.h"

#include "book/backup/Backups.h"
#include "store/InterruptedCommits.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFileInfo>

namespace kucun {

WriteRecovery recoverInterruptedWrites(const QString &programDir)
{
    finishInterruptedRestore(QDir::currentPath());
    const InterruptedCommits found = repairMovedCommits({QDir::currentPath(), programDir});
    if (found.status == InterruptedCommits::Status::Stranded) {
        return {false, found.originalFolder};
    }
    return {};
}

void removeLeftJournals(const QString &programDir)
{
    Table locked;
    QStringList paths{tables::settingsPath(programDir)};
    if (!locked.open(paths.constFirst(), tablePassword())) {
        return;
    }
    for (const QString &name : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        if (!locked.attach(name, tablePassword())) {
            return;
        }
        paths << QFileInfo(tables::fileNameOf(name)).absoluteFilePath();
    }
    if (locked.beginTransaction()) {
        removeJournalsOf(paths);
        locked.rollback();
    }
}

} // namespace kucun
