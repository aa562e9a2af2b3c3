#pragma once

#include <QString>
#include <optional>

namespace kucun::recordcounts {

// Counting the records of a big table file means decrypting all of it; the
// count is therefore remembered per file for as long as the file on disk is
// unchanged (same size, inode and modification time). Writers that know how
// their change moved the count remember the new count with the new file
// state; any other change of the file makes the memo stale. (File times
// advance in steps of a few milliseconds, so another program that rewrote
// the file within one step without changing its size would go unseen; the
// program is single-user and the count is only ever shown, never used to
// find records.)

//
// A table on a server has no file to look at: its count is remembered under
// serverKey() only while the program follows the changes other programs
// announce (followingServer), and forgotten when one of them announces a
// change of the table; the program keeps it in step with its own.

std::optional<qint64> lookup(const QString &path);
void remember(const QString &path, qint64 count);
void forget(const QString &path);

// The key of a table of the server book at conninfo.
QString serverKey(const QString &conninfo, const QString &table);
// Forgets the counts of this table (of every table, for an empty name) on any server.
void forgetServerTable(const QString &table);
// Whether the changes of other programs reach this one: server counts are
// remembered only then. Off forgets them all.
void followingServer(bool following);

} // namespace kucun::recordcounts
