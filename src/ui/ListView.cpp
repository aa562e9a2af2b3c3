#include "ListView.h"

#include "ListModel.h"
#include "PagedListModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

namespace kucun {

ListView::ListView(const QStringList &columnTitles, QWidget *parent)
    : ListView(new ListModel(columnTitles), parent)
{
}

ListView::ListView(RowModel *rows, QWidget *parent) : QTableView(parent), m_model(rows)
{
    m_model->setParent(this);
    setModel(m_model);

    // Fixed row heights let the view place a million rows without measuring any of them.
    QHeaderView *rowHeader = verticalHeader();
    rowHeader->hide();
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(fontMetrics().height() + 8);

    QHeaderView *columnHeader = horizontalHeader();
    columnHeader->setStretchLastSection(true);
    columnHeader->setSectionResizeMode(QHeaderView::Interactive);
    columnHeader->setSectionsClickable(true);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    // The program sorts its rows itself when a header is clicked.
    setSortingEnabled(false);
    // Tab moves the focus to the next control instead of the next cell.
    setTabKeyNavigation(false);

    connect(columnHeader, &QHeaderView::sectionClicked, this, &ListView::headerClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListView::rowSelectionChanged);
}

void ListView::setMultiSelect(bool multi)
{
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

void ListView::setColumnWidths(const QList<int> &widths)
{
    const int count = std::min(static_cast<int>(widths.size()), columnCount());
    for (int column = 0; column < count; ++column) {
        if (widths.at(column) >= 0) {
            setColumnWidth(column, widths.at(column));
        }
    }
}

ListModel &ListView::list() const
{
    auto *rows = qobject_cast<ListModel *>(m_model);
    if (!rows) {
        qFatal("ListView::list: %s does not hold its rows", qPrintable(objectName()));
    }
    return *rows;
}

PagedListModel &ListView::pagedList() const
{
    auto *rows = qobject_cast<PagedListModel *>(m_model);
    if (!rows) {
        qFatal("ListView::pagedList: %s is not paged", qPrintable(objectName()));
    }
    return *rows;
}

int ListView::rowCount() const
{
    return m_model->rowCount();
}

int ListView::columnCount() const
{
    return m_model->columnCount();
}

QString ListView::cellText(int row, int column) const
{
    return m_model->cellText(row, column);
}

int ListView::cellIcon(int row, int column) const
{
    return m_model->cellIcon(row, column);
}

QList<int> ListView::selectedRows() const
{
    const QModelIndexList indexes = selectionModel()->selectedRows();
    QList<int> rows;
    rows.reserve(indexes.size());
    for (const QModelIndex &index : indexes) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ListView::selectedRow() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void ListView::selectRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    // Unlike QTableView::selectRow this ignores held keyboard modifiers: the row becomes the
    // only selected one and the current one.
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

void ListView::ensureVisible(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    scrollTo(m_model->index(row, 0));
}

} // namespace kucun
