#pragma once

#include "RowModel.h"

#include <vector>

namespace kucun {

// A list that holds its rows: the model, report and catalogue lists, which
// stay small. Rows are compact so that many of them load in one reset.
class ListModel : public RowModel
{
    Q_OBJECT

public:
    using RowModel::RowModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    // Replaces all rows at once.
    void setRows(std::vector<ListRow> rows);
    void clear();
    const std::vector<ListRow> &rows() const { return m_rows; }
    bool isBelowMinimum(int row) const override
    {
        return row >= 0 && row < rowCount() && m_rows[size_t(row)].belowMinimum;
    }
    // Puts new cells and data in one row, where it is.
    void replaceRow(int row, ListRow replacement);
    // Removes one row; the rows after it move up and stay selected.
    void removeRowAt(int row);
    // Puts the rows in a new order: entry i is the present index of the row
    // that goes to position i. Selection and current row move with their
    // rows. An order that is not a permutation of the rows is ignored.
    void reorder(const std::vector<int> &order);

protected:
    const ListRow &rowAt(int row) const override { return m_rows[size_t(row)]; }

private:
    std::vector<ListRow> m_rows;
};

} // namespace kucun
