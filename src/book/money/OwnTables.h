#pragma once

#include "book/files/Book.h"

#include <QString>

namespace kucun {

// How a table of our own (型号资料, 明细金额) came to a read. A missing file
// holds no prices yet: the program makes it empty when it starts, and a
// book restored from before prices existed has none. One that is there but
// can't be read (damaged, a wrong key, busy) leaves the money unknown, while
// the five tables still read as ever.
enum class OwnTable
{
    Open,
    Missing,
    Unreadable,
};

// 明细金额 names the 明细 record it belongs to by that record's id, in its
// field 明细 (named like the table, tables::明细).

// Opens the table of our own, or attaches it to a table open already.
OwnTable openOwnTable(const Book &book, Table &table, const QString &name);
OwnTable attachOwnTable(const Book &book, Table &table, const QString &name);

} // namespace kucun
