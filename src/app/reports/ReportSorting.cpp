#include "ReportSorting.h"

#include "book/reports/RowOrder.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <optional>

namespace kucun {

namespace {

std::optional<KeyKind> keyKindOfColumn(int column)
{
    switch (column) {
    case 1: // 品类
    case 2: // 名称
    case 3: // 型号
        return KeyKind::Text;
    case 4: // quantity
        return KeyKind::Number;
    default:
        return std::nullopt;
    }
}

} // namespace

void sortReportList(ListView &list, int column)
{
    const std::optional<KeyKind> kind = keyKindOfColumn(column);
    if (!kind) {
        return;
    }
    QStringList keys;
    keys.reserve(list.rowCount());
    for (int row = 0; row < list.rowCount(); ++row) {
        keys.append(list.cellText(row, column));
    }
    list.list().reorder(sortedRowOrder(keys, {*kind}));
    if (const int selected = list.selectedRow(); selected >= 0) {
        list.ensureVisible(selected);
    }
}

} // namespace kucun
