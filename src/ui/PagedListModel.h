#pragma once

#include "RowModel.h"

#include <QCache>
#include <functional>
#include <optional>
#include <vector>

namespace kucun {

// A list that can grow with the movement log: it holds only the identities
// of the records it lists and fetches the rows a view shows, a page at a
// time, keeping a few pages. A million rows cost a few megabytes.
class PagedListModel : public RowModel
{
    Q_OBJECT

public:
    // Gives the rows of the records with these identities, each with its
    // identity in ListRow::id, in any order; a record it leaves out shows as
    // an empty row. Nothing when the records can't be read now: the rows show
    // empty and are asked for again when next shown.
    using RowFetcher = std::function<std::optional<std::vector<ListRow>>(const QList<qint64> &ids)>;

    static constexpr int PageSize = 256;

    PagedListModel(const QStringList &columnTitles, RowFetcher fetcher, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_ids.size());
    }

    // Lists these records, in this order, at once.
    void setIds(QList<qint64> ids);
    void clear() { setIds({}); }
    // The identity of the record a row shows, without reading the row; 0
    // outside the list.
    qint64 idAt(int row) const override { return m_ids.value(row); }

protected:
    const ListRow &rowAt(int row) const override;

private:
    using Page = std::vector<ListRow>;
    // The page, fetched when first shown; nullptr when it can't be read.
    const Page *pageAt(int page) const;

    RowFetcher m_fetch;
    QList<qint64> m_ids;
    // Pages by index; fetched when first shown.
    mutable QCache<int, Page> m_pages{16};
};

} // namespace kucun
