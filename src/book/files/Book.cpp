#include "Book.h"

#include "store/TableSchema.h"
#include "store/server/ServerSession.h"

#include <QDir>

namespace kucun {

BookFolders bookFoldersAt(const QString &data, const QString &program)
{
    return {data, program, QDir(data).filePath(QStringLiteral("备份")), QString()};
}

QString Book::pathOf(const QString &table) const
{
    return table == tables::设置 ? tables::settingsPath(m_folders.program)
                                 : QDir(m_folders.data).filePath(tables::fileNameOf(table));
}

bool Book::open(Table &table, const QString &name, FieldCheck check) const
{
    if (isOnServer()) {
        QString failure;
        std::unique_ptr<pg::ServerSession> session =
            pg::openServerSession(m_folders.server, &failure);
        return table.open(std::move(session), name, check, StoreFault::serverLost(failure));
    }
    return table.open(pathOf(name), tablePassword(), check);
}

bool Book::attach(Table &table, const QString &name, FieldCheck check) const
{
    if (isOnServer()) {
        return table.attachTable(name, check);
    }
    return table.attach(pathOf(name), tablePassword(), check);
}

bool Book::attachOwn(Table &table, const QStringList &names) const
{
    bool attached = table.isOpen();
    for (const QString &name : names) {
        attached = attached && attach(table, name);
    }
    table.clearFault();
    return attached;
}

} // namespace kucun
