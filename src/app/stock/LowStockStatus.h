#pragma once

#include "book/files/Book.h"

class QWidget;

namespace kucun {

// The status bar of the widget's main window says how many models are below
// their minimum, "N 个型号低于最低库存", in a label of its own that other
// messages leave alone; it is empty while none is.
void showModelsBelowMinimum(QWidget &inWindow, int count);

// Counts the models below their minimum again (one read of 型号资料 and of
// 型号) and shows the count; tables that can't be read leave it as it was.
void recountModelsBelowMinimum(QWidget &inWindow, const Book &book);

} // namespace kucun
