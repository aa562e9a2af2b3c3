#include "Reports.h"
#include "app/catalogue/ModelLists.h"
#include "book/reports/RowOrder.h"
#include "book/sheets/SheetCells.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <limits>

namespace kucun {

namespace {

// The order of the rows by the value a column was filled from: the model's
// texts, or the figure the report shows for it; a column of money by its
// amounts, an empty cell first. Empty for a column that does not sort.
std::vector<int> orderByColumn(const ListView &list, int column)
{
    if (column > 4 && list.quantityColumns().contains(column)) {
        std::vector<double> amounts;
        for (int row = 0; row < list.rowCount(); ++row) {
            amounts.push_back(quantityValue(list.cellText(row, column))
                                  .value_or(std::numeric_limits<double>::lowest()));
        }
        return sortedRowOrder(amounts);
    }
    QStringList texts;
    std::vector<double> figures;
    for (int row = 0; row < list.rowCount(); ++row) {
        const ModelRecord model = modelInRow(list, row);
        switch (column) {
        case 1:
            texts.append(model.category);
            break;
        case 2:
            texts.append(model.item);
            break;
        case 3:
            texts.append(model.model);
            break;
        case 4:
            figures.push_back(model.stock);
            break;
        default:
            return {};
        }
    }
    return column == 4 ? sortedRowOrder(figures) : sortedRowOrder(texts, {KeyKind::Text});
}

} // namespace

void sortReportList(ListView &list, int column)
{
    const std::vector<int> order = orderByColumn(list, column);
    if (order.empty()) {
        return;
    }
    list.list().reorder(order);
    if (const int selected = list.selectedRow(); selected >= 0) {
        list.ensureVisible(selected);
    }
}

} // namespace kucun
