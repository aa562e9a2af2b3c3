#include "InterruptedWrites.h"

#include "book/backup/Backups.h"
#include "book/backup/BooksInUse.h"
#include "book/files/Book.h"
#include "store/InterruptedCommits.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace kucun {

WriteRecovery recoverInterruptedWrites(const BookFolders &folders, BooksInUse &books,
                                       const std::function<void()> &whileWaiting)
{
    for (;;) {
        if (books.tryAlone()) {
            finishInterruptedRestore(folders.data);
            books.share();
            break;
        }
        if (books.tryShared()) {
            break;
        }
        if (!books.isUsable()) {
            // No lock file can be made (a folder that can't be written): no
            // restore can run here either.
            finishInterruptedRestore(folders.data);
            break;
        }
        if (whileWaiting) {
            whileWaiting();
        }
        QThread::msleep(50);
    }
    const InterruptedCommits found = repairMovedCommits({folders.data, folders.program});
    if (found.status == InterruptedCommits::Status::Stranded) {
        return {false, found.originalFolder};
    }
    return {};
}

void removeLeftJournals(const Book &book)
{
    Table locked;
    QStringList paths{book.pathOf(tables::设置)};
    if (!book.open(locked, tables::设置)) {
        return;
    }
    for (const QString &name : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        if (!book.attach(locked, name)) {
            return;
        }
        paths << book.pathOf(name);
    }
    // The tables of our own take part in bookings: their journals too,
    // where they can be locked.
    for (const QString &name : tables::ownTableNames()) {
        if (book.attachOwn(locked, {name})) {
            paths << book.pathOf(name);
        }
    }
    if (locked.beginTransaction()) {
        removeJournalsOf(paths);
        locked.rollback();
    }
}

} // namespace kucun
