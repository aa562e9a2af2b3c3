#pragma once

#include <QTableView>

namespace kucun {

class ListModel;

// A report-style list: a table view over a ListModel with fixed row heights,
// whole-row selection and no per-cell widgets.
class ListView : public QTableView
{
    Q_OBJECT

public:
    ListView(const QStringList &columnTitles, QWidget *parent = nullptr);

    ListModel &list() const { return *m_model; }
    void setMultiSelect(bool multi);
    void setColumnWidths(const QList<int> &widths);

    int rowCount() const;
    int columnCount() const;
    QString cellText(int row, int column) const;
    // Selected rows in ascending order.
    QList<int> selectedRows() const;
    // The first selected row, -1 for none.
    int selectedRow() const;
    void selectRow(int row);
    void ensureVisible(int row);

signals:
    // A column header was clicked.
    void headerClicked(int column);
    // The set of selected rows changed.
    void rowSelectionChanged();

private:
    ListModel *m_model = nullptr;
};

} // namespace kucun
