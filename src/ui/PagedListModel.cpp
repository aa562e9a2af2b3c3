#include "PagedListModel.h"

#include <QHash>

namespace kucun {

PagedListModel::PagedListModel(const QStringList &columnTitles, RowFetcher fetcher, QObject *parent)
    : RowModel(columnTitles, parent), m_fetch(std::move(fetcher))
{
    setNumbered(true);
}

void PagedListModel::setIds(QList<qint64> ids)
{
    beginResetModel();
    m_ids = std::move(ids);
    m_pages.clear();
    endResetModel();
}

const ListRow &PagedListModel::rowAt(int row) const
{
    static const ListRow unread;
    const Page *rows = pageAt(row / PageSize);
    return rows ? (*rows)[size_t(row % PageSize)] : unread;
}

const PagedListModel::Page *PagedListModel::pageAt(int page) const
{
    if (const Page *cached = m_pages.object(page)) {
        return cached;
    }
    const QList<qint64> ids = m_ids.mid(qsizetype(page) * PageSize, PageSize);
    QHash<qint64, qsizetype> rowOf;
    rowOf.reserve(ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i) {
        rowOf.insert(ids[i], i);
    }
    std::optional<std::vector<ListRow>> fetched = m_fetch(ids);
    if (!fetched) {
        return nullptr;
    }
    auto *rows = new Page(size_t(ids.size()));
    for (ListRow &row : *fetched) {
        const auto found = rowOf.constFind(row.id);
        if (found != rowOf.constEnd()) {
            (*rows)[size_t(*found)] = std::move(row);
        }
    }
    m_pages.insert(page, rows);
    return rows;
}

} // namespace kucun
