#pragma once

#include <QString>

namespace kucun::sql {

// SQLCipher authenticates every page of a file with an HMAC-SHA1 over its
// ciphertext, its IV and its page number. This reads a table file once from
// start to end and checks each page's HMAC with the key: what SQLCipher 4's
// PRAGMA cipher_integrity_check does, which SQLCipher 3 lacks. A page that
// changed by one bit since SQLCipher wrote it, or moved to another place,
// fails. Returns the first page that fails (from 1), 0 when every page
// passes, and -1 when the file can't be opened with the key or read.
qint64 firstUnsoundPage(const QString &path, const QString &key);

} // namespace kucun::sql
