#pragma once

#include "RowModel.h"

#include <functional>
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
    // Makes the row filled at position `filled`: its cells, identity and record.
    using RowMaker = std::function<ListRow(int filled)>;
    // Replaces all rows at once with `count` rows that are made when first
    // shown or read, each once: a view shows a page of a long list, and rows
    // never made cost nothing to fill or to clear.
    void setRows(int count, RowMaker make);
    void clear();
    // Every row, all of them made.
    const std::vector<ListRow> &rows() const;
    bool isBelowMinimum(int row) const override
    {
        return row >= 0 && row < rowCount() && rowAt(row).belowMinimum;
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
    const ListRow &rowAt(int row) const override;

private:
    // Rows made on demand are filled in place; nothing else changes them
    // behind a const read.
    mutable std::vector<ListRow> m_rows;
    RowMaker m_make;
    // While rows are made on demand: the fill position of each row, and
    // whether it is made yet.
    mutable std::vector<int> m_filledAt;
    mutable std::vector<bool> m_made;
};

} // namespace kucun
