#include "InterruptedWrites.h"

#include "book/backup/Backups.h"
#include "book/backup/BooksInUse.h"
#include "store/InterruptedCommits.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace kucun {

WriteRecovery recoverInterruptedWrites(const QString &programDir, BooksInUse &books,
                                       const std::function<void()> &whileWaiting)
{
    for (;;) {
        if (books.tryAlone()) {
            finishInterruptedRestore(QDir::currentPath());
            books.share();
            break;
        }
        if (books.tryShared()) {
            break;
        }
        if (!books.isUsable()) {
            // No lock file can be made (a folder that can't be written): no
            // restore can run here either.
            finishInterruptedRestore(QDir::currentPath());
            break;
        }
        if (whileWaiting) {
            whileWaiting();
        }
        QThread::msleep(50);
    }
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
