#pragma once

#include "BookFolders.h"

namespace kucun {

// A new book greets its owner once. The installed program's first start
// marks the book it makes (in kucun.ini beside the settings file); the
// welcome is due while that mark stands and the catalogue is still empty,
// and showing it takes the mark away. kucun-init and a portable copy never
// mark a book, so a copy that already has tables is never greeted.
void markWelcomeDue(const BookFolders &folders);
bool welcomeDue(const BookFolders &folders);
void markWelcomed(const BookFolders &folders);

} // namespace kucun
