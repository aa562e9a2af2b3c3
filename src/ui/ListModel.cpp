#include "ListModel.h"

namespace kucun {

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

const ListRow &ListModel::rowAt(int row) const
{
    return m_rows[size_t(row)];
}

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

} // namespace kucun
