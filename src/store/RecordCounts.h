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

std::optional<qint64> lookup(const QString &path);
void remember(const QString &path, qint64 count);
void forget(const QString &path);

} // namespace kucun::recordcounts
