#pragma once

#include <QString>

namespace kucun {

// Why a table file could not be used, so that the owner is told what is
// true: a file another program holds, one that can't be written, one that
// is missing or no table file at all, or one whose fields are not those the
// program reads.
enum class StoreFault
{
    None,
    Unavailable, // missing, a wrong key, damaged, or lacking its table
    Busy,        // held by another program longer than the wait
    ReadOnly,    // the file (or its folder) can't be written
    WriteFailed, // any other failed write (disk full, I/O error)
    WrongLayout, // a field of the table is missing or of another type
};

// The table and the field of the last field check of this thread that
// failed (StoreFault::WrongLayout): the outcomes of the stock book name the
// fault only, and the owner must be told which file holds the wrong field.
struct LayoutMismatch
{
    QString table;
    QString field;
};
LayoutMismatch lastLayoutMismatch();
void noteLayoutMismatch(const QString &table, const QString &field);

} // namespace kucun
