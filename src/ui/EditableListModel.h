#pragma once

#include "ListModel.h"

#include <vector>

namespace kucun {

// A list whose one column takes typed entries. The model does not change
// the cell itself: it reports what was typed, and whoever owns the rows
// decides what the row shows then. Rows can be marked to stand out.
class EditableListModel : public ListModel
{
    Q_OBJECT

public:
    EditableListModel(const QStringList &columnTitles, int editableColumn,
                      QObject *parent = nullptr);

    int editableColumn() const { return m_editableColumn; }
    // Marks a row (by position) with a light background, or clears it.
    void setMarked(int row, bool marked);

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // The user typed this text into the editable cell of a row.
    void entered(int row, const QString &text);

private:
    int m_editableColumn;
    std::vector<qint64> m_marked; // ids of the marked rows
};

} // namespace kucun
