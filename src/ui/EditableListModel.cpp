#include "EditableListModel.h"

#include <QColor>

namespace kucun {

EditableListModel::EditableListModel(const QStringList &columnTitles, int editableColumn,
                                     QObject *parent)
    : ListModel(columnTitles, parent), m_editableColumn(editableColumn)
{
}

void EditableListModel::setMark(int row, Mark mark)
{
    const qint64 id = idAt(row);
    if (m_marks.value(id, Mark::None) == mark) {
        return;
    }
    if (mark == Mark::None) {
        m_marks.remove(id);
    } else {
        m_marks.insert(id, mark);
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::BackgroundRole});
}

void EditableListModel::refuseEntry(int row, const QString &text)
{
    m_refused.insert(idAt(row), text);
    m_entryRefused = true;
}

Qt::ItemFlags EditableListModel::flags(const QModelIndex &index) const
{
    const bool editable = index.isValid() && index.column() == m_editableColumn;
    return ListModel::flags(index) | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

QVariant EditableListModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole && index.isValid()) {
        switch (m_marks.value(idAt(index.row()), Mark::None)) {
        case Mark::Marked:
            return QColor(255, 236, 179); // a light amber that every text colour reads on
        case Mark::Flagged:
            return QColor(255, 205, 210); // a light red, as light
        case Mark::None:
            break;
        }
    }
    if (role == Qt::EditRole) {
        const auto refused = m_refused.constFind(idAt(index.row()));
        return refused != m_refused.cend() && index.column() == m_editableColumn
                   ? *refused
                   : cellText(index.row(), index.column());
    }
    return ListModel::data(index, role);
}

bool EditableListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != m_editableColumn) {
        return false;
    }
    m_refused.remove(idAt(index.row()));
    m_entryRefused = false;
    emit entered(index.row(), value.toString());
    return !m_entryRefused;
}

} // namespace kucun
