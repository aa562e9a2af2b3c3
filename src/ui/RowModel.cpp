#include "RowModel.h"

#include <QColor>

namespace kucun {

// A light orange, apart from the white and grey of the rows, the amber and
// red of the stocktake's marks and the blue of a selection. It is drawn
// with black text whatever the system's colours, which reads on it at a
// contrast of about 15 to 1.
QColor belowMinimumBackground()
{
    return QColor(0xFF, 0xCC, 0x80);
}

QColor belowMinimumText()
{
    return QColor(Qt::black);
}

RowModel::RowModel(const QStringList &columnTitles, QObject *parent)
    : QAbstractTableModel(parent), m_titles(columnTitles)
{
}

int RowModel::columnCount(const QModelIndex &parent) const
{
    // A flat table: only the invisible root has columns.
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant RowModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !contains(index.row(), index.column())) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::AccessibleTextRole: {
        const QString text = cellText(index.row(), index.column());
        if (!isBelowMinimum(index.row())) {
            return text;
        }
        return text.isEmpty() ? QStringLiteral("低于最低库存")
                              : text + QStringLiteral("，低于最低库存");
    }
    case Qt::BackgroundRole:
        return isBelowMinimum(index.row()) ? QVariant(belowMinimumBackground()) : QVariant();
    case Qt::ForegroundRole:
        return isBelowMinimum(index.row()) ? QVariant(belowMinimumText()) : QVariant();
    case Qt::TextAlignmentRole:
        return m_quantityColumns.contains(index.column())
                   ? QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant();
    case Qt::DecorationRole: {
        const int image = cellIcon(index.row(), index.column());
        return image >= 0 && image < m_images.size() ? QVariant(m_images.at(image)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return orientation == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(columnTitle(section))
                                                                    : QVariant();
}

bool RowModel::contains(int row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

QString RowModel::cellText(int row, int column) const
{
    if (!contains(row, column)) {
        return {};
    }
    return m_numbered && column == 0 ? QString::number(row + 1) : rowAt(row).cells.value(column);
}

int RowModel::cellIcon(int row, int column) const
{
    if (!contains(row, column)) {
        return -1;
    }
    const ListRow &shown = rowAt(row);
    return shown.iconColumn == column ? shown.iconIndex : -1;
}

} // namespace kucun
