#pragma once

#include <QString>

namespace kucun {

// What start-up finds of a write the program was killed in the middle of.
struct WriteRecovery
{
    // False when no table may be opened: opening one would keep half of a
    // change. The owner must move the folder back and start once there.
    bool tablesMayOpen = true;
    // Where the files were when the write was cut short.
    QString originalFolder;
};

// Before any table is opened: a booking (or any change across files) cut
// short in a folder that has moved since is made to roll back as a whole
// where the files are now, and a restore cut short is finished or dropped.
// The data tables are in the working directory, 设置 in the program
// directory.
WriteRecovery recoverInterruptedWrites(const QString &programDir);

// Once the program may use its tables: takes the write lock of all five
// (SQLite rolls back any change cut short as it does), then removes the
// journals such a change left behind. Does nothing while another program
// writes or a table is missing.
void removeLeftJournals(const QString &programDir);

} // namespace kucun
