#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <vector>

namespace kucun {

// One row of a list: its cell texts, an item data value and at most one
// icon (an index into the model's image list) on one cell.
struct ListRow
{
    QStringList cells;
    qint64 itemData = 0;
    qint16 iconColumn = -1;
    qint16 iconIndex = -1;
};

// The row model behind every list view of the program. Rows are compact so
// that a million of them load in one reset.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ListModel(const QStringList &columnTitles, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString columnTitle(int column) const;
    // A numbered list shows each row's position (1, 2, ...) in column 0,
    // whatever its rows hold there, so rows never need renumbering.
    void setNumbered(bool numbered) { m_numbered = numbered; }
    bool isNumbered() const { return m_numbered; }
    void setImageList(const QList<QIcon> &images) { m_images = images; }

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    // Appends a row; returns its index.
    int appendRow(const QStringList &cells, qint64 itemData = 0);
    void removeRowAt(int row);
    void clear();
    // Replaces all rows at once.
    void setRows(std::vector<ListRow> rows);
    const std::vector<ListRow> &rows() const { return m_rows; }

    qint64 itemData(int row) const;
    void setItemData(int row, qint64 value);
    // Puts image `imageIndex` of the image list on one cell; -1 removes it.
    void setCellIcon(int row, int column, int imageIndex);
    // Image index on a cell, -1 for none.
    int cellIcon(int row, int column) const;

private:
    QStringList m_titles;
    QList<QIcon> m_images;
    bool m_numbered = false;
    std::vector<ListRow> m_rows;
};

} // namespace kucun
