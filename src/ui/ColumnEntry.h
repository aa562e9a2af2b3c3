#pragma once

class QAbstractItemView;

namespace kucun {

// Makes one column of a list a column to type down, as on a paper sheet:
// typing on a row or F2 starts an entry in that column, Enter and Down
// finish it and start the next row's, Up the row before.
void enableColumnEntry(QAbstractItemView &view, int column);

} // namespace kucun
