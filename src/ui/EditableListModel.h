#pragma once

#include "ListModel.h"

#include <QHash>
#include <QString>

namespace kucun {

// A list whose one column takes typed entries. The model does not change
// the cell itself: it reports what was typed, and whoever owns the rows
// decides what the row shows then, or refuses the entry. Rows can be marked
// to stand out.
class EditableListModel : public ListModel
{
    Q_OBJECT

public:
    EditableListModel(const QStringList &columnTitles, int editableColumn,
                      QObject *parent = nullptr);

    int editableColumn() const { return m_editableColumn; }

    enum class Mark
    {
        None,
        Marked,  // a light amber background
        Flagged, // a light red one, for a row that needs the user
    };
    // Marks a row (by position), or clears its mark.
    void setMark(int row, Mark mark);

    // Called while an entry is reported: the entry is refused, and the
    // row's next entry starts from the text refused, for the user to
    // correct.
    void refuseEntry(int row, const QString &text);

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // False for an entry refused while it was reported.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // The user typed this text into the editable cell of a row.
    void entered(int row, const QString &text);

private:
    int m_editableColumn;
    QHash<qint64, Mark> m_marks;      // by row id
    QHash<qint64, QString> m_refused; // the text of a refused entry, by row id
    bool m_entryRefused = false;
};

} // namespace kucun
