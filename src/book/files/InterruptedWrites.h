#pragma once

#include "book/files/Book.h"
#include "book/files/BookFolders.h"

#include <QString>
#include <functional>

namespace kucun {

class BooksInUse;

// What start-up finds of a write the program was killed in the middle of.
struct WriteRecovery
{
    // False when no table may be opened: opening one would keep half of a
    // change. The owner must move the folder back and start once there.
    bool tablesMayOpen = true;
    // Where the files were when the write was cut short.
    QString originalFolder;
};

// Before any table is opened: takes the shared hold of the books this
// process keeps for its life. While another copy restores a backup it
// waits, calling `whileWaiting` every 50 ms, and then opens the books
// restored. Held alone for a moment (no other copy runs), it finishes a
// restore cut short or drops it; a restore is never touched while another
// copy may be running it. A booking (or any change across files) cut short
// in a folder that has moved since is made to roll back as a whole where the
// files are now. The data tables are in the data folder, 设置 in the
// program folder.
WriteRecovery recoverInterruptedWrites(const BookFolders &folders, BooksInUse &books,
                                       const std::function<void()> &whileWaiting = {});

// Once the program may use its tables: takes the write lock of all five
// (SQLite rolls back any change cut short as it does), then removes the
// journals such a change left behind. Does nothing while another program
// writes or a table is missing.
void removeLeftJournals(const Book &book);

} // namespace kucun
