#pragma once

#include "RowModel.h"

#include <QTableView>

namespace kucun {

class ListModel;
class PagedListModel;

// A report-style list: a table view over a row model with fixed row
// heights, whole-row selection and no per-cell widgets.
class ListView : public QTableView
{
    Q_OBJECT

public:
    // A list over rows it holds (a ListModel).
    explicit ListView(const QStringList &columnTitles, QWidget *parent = nullptr);
    // A list over the given rows, which the view takes over.
    explicit ListView(RowModel *rows, QWidget *parent = nullptr);

    // The rows of a list made over a ListModel or a PagedListModel.
    ListModel &list() const;
    PagedListModel &pagedList() const;
    void setMultiSelect(bool multi)
    {
        setSelectionMode(multi ? ExtendedSelection : SingleSelection);
    }
    void setColumnWidths(const QList<int> &widths);
    // Columns whose texts are quantities, aligned to the right.
    void setQuantityColumns(const QList<int> &columns) { m_model->setQuantityColumns(columns); }
    QList<int> quantityColumns() const { return m_model->quantityColumns(); }

    int rowCount() const { return m_model->rowCount(); }
    int columnCount() const { return m_model->columnCount(); }
    QString cellText(int row, int column) const { return m_model->cellText(row, column); }
    // Image index on a cell, -1 for none.
    int cellIcon(int row, int column) const { return m_model->cellIcon(row, column); }
    // Selected rows in ascending order.
    QList<int> selectedRows() const;
    // The first selected row, -1 for none.
    int selectedRow() const;
    void selectRow(int row);
    void ensureVisible(int row);

protected:
    // The frame around the current row follows it and the focus.
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

signals:
    // A column header was clicked.
    void headerClicked(int column);
    // The set of selected rows changed.
    void rowSelectionChanged();

private:
    // A reload keeps the row of the record that was current, scrolled into
    // view and not selected; with that record gone there is no current row.
    // A list cleared and then filled counts as one reload.
    void rememberCurrentRecord();
    void restoreCurrentRecord();

    RowModel *m_model = nullptr;
    qint64 m_currentRecord = 0;
};

} // namespace kucun
