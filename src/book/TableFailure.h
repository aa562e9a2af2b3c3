#pragma once

// The window tells the user of a failed table by its fault, and shows a
// StoreError (a read the code gets wrong) rather than end; it knows both
// through here.
#include "store/StoreError.h"
#include "store/StoreFault.h"
#include "store/Table.h"

namespace kucun {

// The outcome that tells why a table of an operation failed. Every outcome
// enum of the stock book names its table failures alike: TableUnavailable,
// TableBusy, TableReadOnly, TableWrongLayout and WriteFailed.
template <typename Outcome> Outcome failureOf(const Table &table)
{
    switch (table.fault()) {
    case StoreFault::Unavailable:
        return Outcome::TableUnavailable;
    case StoreFault::Busy:
        return Outcome::TableBusy;
    case StoreFault::ReadOnly:
        return Outcome::TableReadOnly;
    case StoreFault::WrongLayout:
        return Outcome::TableWrongLayout;
    case StoreFault::None:
    case StoreFault::WriteFailed:
        break;
    }
    return Outcome::WriteFailed;
}

} // namespace kucun
