#pragma once

#include <QString>

namespace kucun::pg {

// A statement of the table store in the server's words: each ? value mark
// becomes $1, $2, ... in order, and the row id (rowid) the "id" column every
// server table is led by. Quoted names and texts are left as written.
QString serverStatement(const QString &statement);

} // namespace kucun::pg
