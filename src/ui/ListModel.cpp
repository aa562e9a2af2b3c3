#include "ListModel.h"

#include <algorithm>
#include <limits>

namespace kucun {

ListModel::ListModel(const QStringList &columnTitles, QObject *parent)
    : QAbstractTableModel(parent), m_titles(columnTitles)
{
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    // A flat table: only the invisible root has rows.
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const ListRow &row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cellText(index.row(), index.column());
    case Qt::DecorationRole:
        if (row.iconColumn == index.column() && row.iconIndex >= 0 &&
            row.iconIndex < m_images.size()) {
            return m_images.at(row.iconIndex);
        }
        return {};
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return columnTitle(section);
    }
    return {};
}

QString ListModel::columnTitle(int column) const
{
    return m_titles.value(column);
}

QString ListModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    if (m_numbered && column == 0) {
        return QString::number(row + 1);
    }
    return m_rows[static_cast<std::size_t>(row)].cells.value(column);
}

void ListModel::setCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        (m_numbered && column == 0)) {
        return;
    }
    QStringList &cells = m_rows[static_cast<std::size_t>(row)].cells;
    // Rows may have been appended with fewer cells than columns.
    while (cells.size() <= column) {
        cells.append(QString());
    }
    cells[column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::AccessibleTextRole});
}

int ListModel::appendRow(const QStringList &cells, qint64 itemData)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    ListRow added;
    added.cells = cells;
    added.itemData = itemData;
    m_rows.push_back(std::move(added));
    endInsertRows();
    return row;
}

void ListModel::removeRowAt(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void ListModel::clear()
{
    beginResetModel();
    // Swap with an empty vector so the memory of a large list is released too.
    std::vector<ListRow>().swap(m_rows);
    endResetModel();
}

void ListModel::setRows(std::vector<ListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

qint64 ListModel::itemData(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return 0;
    }
    return m_rows[static_cast<std::size_t>(row)].itemData;
}

void ListModel::setItemData(int row, qint64 value)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].itemData = value;
    if (columnCount() > 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void ListModel::setCellIcon(int row, int column, int imageIndex)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        imageIndex > std::numeric_limits<qint16>::max()) {
        return;
    }
    ListRow &target = m_rows[static_cast<std::size_t>(row)];
    // An icon column outside the table (from setRows) has no cell to refresh.
    const int oldColumn = target.iconColumn < columnCount() ? target.iconColumn : -1;
    if (imageIndex < 0) {
        // Only removes an icon that is on this cell.
        if (target.iconColumn != column) {
            return;
        }
        target.iconColumn = -1;
        target.iconIndex = -1;
    } else {
        // A row has at most one icon, so this moves it from any other cell.
        target.iconColumn = static_cast<qint16>(column);
        target.iconIndex = static_cast<qint16>(imageIndex);
    }
    const int first = oldColumn >= 0 ? std::min(oldColumn, column) : column;
    const int last = std::max(oldColumn, column);
    emit dataChanged(index(row, first), index(row, last), {Qt::DecorationRole});
}

int ListModel::cellIcon(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0) {
        return -1;
    }
    const ListRow &target = m_rows[static_cast<std::size_t>(row)];
    return target.iconColumn == column ? target.iconIndex : -1;
}

} // namespace kucun
