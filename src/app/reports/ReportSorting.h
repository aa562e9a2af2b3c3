#pragma once

namespace kucun {

class ListView;

// A click on a column header of a report list: 品类, 名称 and 型号 sort by
// their GBK bytes, the quantity as a number; the other columns leave the
// order. The rows stay numbered from 1 and the selected row stays selected.
void sortReportList(ListView &list, int column);

} // namespace kucun
