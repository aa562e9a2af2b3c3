#pragma once

#include "book/files/Book.h"

namespace kucun {

// Gives the log, the models and 型号资料 of the book the indexes a new
// file is made with. A file from an older version gets them the first time
// the program opens it; on a big log that takes a few seconds, once. A file
// that can't take them (busy, read-only) works as before, only slower.
void addMissingTableIndexes(const Book &book);

} // namespace kucun
