#pragma once

#include <QString>

namespace kucun {

// The folders of one stock book.
struct BookFolders
{
    // The four data tables, the stocktake draft and the lock of the books in use.
    QString data;
    // The program's folder: 设置.edb and kucun.ini.
    QString program;
    // Where backups go unless the owner has chosen another place.
    QString backup;
    // A libpq connection string when the tables are kept on a PostgreSQL
    // server instead of in table files; empty for the files.
    QString server;
};

// The folders of a book in this data folder and this program folder; its
// backups go to 备份 in the data folder.
BookFolders bookFoldersAt(const QString &data, const QString &program);

} // namespace kucun
