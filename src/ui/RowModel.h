#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QStringList>

namespace kucun {

// One row of a list: its cell texts, the identity of the record it shows,
// the record's values as read (for an operation that must act on exactly
// what the row showed) and at most one icon (an index into the model's image
// list) on one cell. A row of a model whose stock is below its minimum
// stands out in a colour of its own and says so to a screen reader.
struct ListRow
{
    QStringList cells;
    qint64 id = 0;
    qint16 iconColumn = -1;
    qint16 iconIndex = -1;
    bool belowMinimum = false;
    QVariant record = {};
};

// The background of a row below its minimum, and the text drawn on it.
QColor belowMinimumBackground();
QColor belowMinimumText();

// What every list of the program shows: rows of cell texts under column
// titles, with at most one icon a row. Subclasses decide where the rows
// come from.
class RowModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RowModel(const QStringList &columnTitles, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString columnTitle(int column) const { return m_titles.value(column); }
    void setImageList(const QList<QIcon> &images) { m_images = images; }
    // A numbered list shows each row's position (1, 2, ...) in column 0,
    // whatever its rows hold there, so rows never need renumbering.
    void setNumbered(bool numbered) { m_numbered = numbered; }
    bool isNumbered() const { return m_numbered; }

    // Columns whose texts are quantities, aligned to the right.
    void setQuantityColumns(const QList<int> &columns) { m_quantityColumns = columns; }
    const QList<int> &quantityColumns() const { return m_quantityColumns; }

    // Empty outside the list.
    QString cellText(int row, int column) const;
    // Image index on a cell, -1 for none.
    int cellIcon(int row, int column) const;
    // True when the row shows a model below its minimum; a list whose rows
    // never do (the paged log lists) need not fetch a row to say so.
    virtual bool isBelowMinimum(int /*row*/) const { return false; }
    // The identity of the record a row shows; 0 outside the list.
    virtual qint64 idAt(int row) const { return row >= 0 && row < rowCount() ? rowAt(row).id : 0; }
    // The values of the record a row shows, as read for it; invalid outside
    // the list or where the list keeps none.
    QVariant recordAt(int row) const
    {
        return row >= 0 && row < rowCount() ? rowAt(row).record : QVariant();
    }

protected:
    // The row at a valid row index.
    virtual const ListRow &rowAt(int row) const = 0;

private:
    bool contains(int row, int column) const;

    QStringList m_titles;
    QList<QIcon> m_images;
    bool m_numbered = false;
    QList<int> m_quantityColumns;
};

} // namespace kucun
