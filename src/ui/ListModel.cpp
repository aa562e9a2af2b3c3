#include "ListModel.h"

#include <QModelIndexList>
#include <algorithm>
#include <numeric>

namespace kucun {

void ListModel::setRows(std::vector<ListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_make = nullptr;
    m_filledAt.clear();
    m_made.clear();
    endResetModel();
}

void ListModel::setRows(int count, RowMaker make)
{
    beginResetModel();
    const size_t rows = size_t(std::max(count, 0));
    m_rows = std::vector<ListRow>(rows);
    m_make = std::move(make);
    m_filledAt.resize(rows);
    std::iota(m_filledAt.begin(), m_filledAt.end(), 0);
    m_made.assign(rows, false);
    endResetModel();
}

const ListRow &ListModel::rowAt(int row) const
{
    const auto at = size_t(row);
    if (m_make && !m_made[at]) {
        m_rows[at] = m_make(m_filledAt[at]);
        m_made[at] = true;
    }
    return m_rows[at];
}

const std::vector<ListRow> &ListModel::rows() const
{
    if (m_make) {
        for (int row = 0; row < rowCount(); ++row) {
            rowAt(row);
        }
    }
    return m_rows;
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
    if (m_make) {
        m_made[size_t(row)] = true;
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListModel::removeRowAt(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    if (m_make) {
        m_filledAt.erase(m_filledAt.begin() + row);
        m_made.erase(m_made.begin() + row);
    }
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
    if (m_make) {
        std::vector<int> filledAt;
        std::vector<bool> made;
        filledAt.reserve(order.size());
        made.reserve(order.size());
        for (const int row : order) {
            filledAt.push_back(m_filledAt[size_t(row)]);
            made.push_back(m_made[size_t(row)]);
        }
        m_filledAt = std::move(filledAt);
        m_made = std::move(made);
    }
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
