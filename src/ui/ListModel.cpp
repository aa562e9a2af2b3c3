#include "ListModel.h"

#include <QModelIndexList>

namespace kucun {

void ListModel::setRows(std::vector<ListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ListModel::clear()
{
    // Swap with an empty vector so the memory of a large list is released too.
    setRows({});
}

void ListModel::replaceRow(int row, ListRow replacement)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    m_rows[size_t(row)] = std::move(replacement);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListModel::removeRowAt(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    if (isNumbered() && row < rowCount()) {
        // The rows that moved up show their new numbers.
        emit dataChanged(index(row, 0), index(rowCount() - 1, 0), {Qt::DisplayRole});
    }
}

void ListModel::reorder(const std::vector<int> &order)
{
    if (order.size() != m_rows.size()) {
        return;
    }
    std::vector<int> newPosition(m_rows.size(), -1);
    for (size_t position = 0; position < order.size(); ++position) {
        const int row = order[position];
        if (row < 0 || size_t(row) >= m_rows.size() || newPosition[size_t(row)] >= 0) {
            return;
        }
        newPosition[size_t(row)] = int(position);
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<ListRow> reordered;
    reordered.reserve(m_rows.size());
    for (const int row : order) {
        reordered.push_back(std::move(m_rows[size_t(row)]));
    }
    m_rows = std::move(reordered);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        after.append(this->index(newPosition[size_t(index.row())], index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace kucun
