#pragma once

#include <QString>

#include <optional>

namespace kucun::recordcounts {

// Counting the records of a big table file means decrypting all of it; the
// count is therefore remembered per file for as long as the file on disk is
// unchanged (same size, inode and modification time). Writers that know how
// their change moved the count remember the new count with the new file
// state; any other change of the file makes the memo stale.

std::optional<qint64> lookup(const QString &path);
void remember(const QString &path, qint64 count);
void forget(const QString &path);

} // namespace kucun::recordcounts
