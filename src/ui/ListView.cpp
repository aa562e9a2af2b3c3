#include "ListView.h"

#include "ListModel.h"
#include "PagedListModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

namespace kucun {

namespace {

// Draws a frame around the current row while the list has the keyboard
// focus, so that a keyboard user sees which row Space and Enter act on.
class CurrentRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const auto *view = qobject_cast<const QAbstractItemView *>(parent());
        if (!view || !view->hasFocus() || view->currentIndex().row() != index.row()) {
            return;
        }
        const QRect cell = option.rect;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
        painter->drawLine(cell.topLeft() + QPoint(0, 1), cell.topRight() + QPoint(0, 1));
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        if (index.column() == 0) {
            painter->drawLine(cell.topLeft() + QPoint(1, 0), cell.bottomLeft() + QPoint(1, 0));
        }
        if (index.column() == index.model()->columnCount() - 1) {
            painter->drawLine(cell.topRight(), cell.bottomRight());
        }
        painter->restore();
    }
};

} // namespace

ListView::ListView(const QStringList &columnTitles, QWidget *parent)
    : ListView(new ListModel(columnTitles), parent)
{
}

ListView::ListView(RowModel *rows, QWidget *parent) : QTableView(parent), m_model(rows)
{
    m_model->setParent(this);
    setModel(m_model);
    setItemDelegate(new CurrentRowDelegate(this));
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            &ListView::rememberCurrentRecord);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ListView::restoreCurrentRecord);

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

void ListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    for (const QModelIndex &row : {previous, current}) {
        if (row.isValid()) {
            const QRect cell = visualRect(row);
            viewport()->update(QRect(0, cell.top() - 2, viewport()->width(), cell.height() + 4));
        }
    }
}

void ListView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void ListView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void ListView::rememberCurrentRecord()
{
    // A reload may clear the list first and fill it after: the record of the
    // row current before the clear is the one looked for in the filled list.
    if (currentIndex().isValid()) {
        m_currentRecord = m_model->idAt(currentIndex().row());
    }
}

void ListView::restoreCurrentRecord()
{
    // Lay the new rows out now, so that they are painted once, not once
    // before the view's delayed layout and again after it.
    executeDelayedItemsLayout();
    if (m_currentRecord == 0 || m_model->rowCount() == 0) {
        return;
    }
    const qint64 record = std::exchange(m_currentRecord, 0);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->idAt(row) == record) {
            const QModelIndex current = m_model->index(row, 0);
            selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
            scrollTo(current);
            return;
        }
    }
}

void ListView::ensureVisible(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    scrollTo(m_model->index(row, 0));
}

} // namespace kucun
