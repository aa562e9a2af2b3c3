#include "EditableListModel.h"

#include <QColor>
#include <algorithm>

namespace kucun {

EditableListModel::EditableListModel(const QStringList &columnTitles, int editableColumn,
                                     QObject *parent)
    : ListModel(columnTitles, parent), m_editableColumn(editableColumn)
{
}

void EditableListModel::setMarked(int row, bool marked)
{
    const qint64 id = idAt(row);
    const auto found = std::find(m_marked.begin(), m_marked.end(), id);
    if (marked == (found != m_marked.end())) {
        return;
    }
    if (marked) {
        m_marked.push_back(id);
    } else {
        m_marked.erase(found);
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::BackgroundRole});
}

Qt::ItemFlags EditableListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = ListModel::flags(index);
    if (index.isValid() && index.column() == m_editableColumn) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant EditableListModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole && index.isValid() &&
        std::find(m_marked.begin(), m_marked.end(), idAt(index.row())) != m_marked.end()) {
        return QColor(255, 236, 179); // a light amber that every text colour reads on
    }
    if (role == Qt::EditRole) {
        return cellText(index.row(), index.column());
    }
    return ListModel::data(index, role);
}

bool EditableListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != m_editableColumn) {
        return false;
    }
    emit entered(index.row(), value.toString());
    return true;
}

} // namespace kucun
