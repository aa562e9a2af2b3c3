#include "CatalogueReads.h"

#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

const QStringList &modelFields()
{
    static const QStringList read{fields::品类, fields::名称, fields::型号,
                                  fields::单位, fields::库存, fields::备注};
    return read;
}

StoreFault visitStoredModels(const Book &book, const RecordFilter &filter,
                             const std::function<void(const StoredRow &)> &visit)
{
    Table table;
    if (!book.open(table, tables::型号) || !table.forEachMatching(filter, modelFields(), visit)) {
        return table.fault();
    }
    return StoreFault::None;
}

ReadResult<std::vector<ModelRecord>> readModelsMatching(const Book &book,
                                                        const RecordFilter &filter)
{
    Table table;
    if (!book.open(table, tables::型号)) {
        return table.fault();
    }
    std::vector<ModelRecord> models;
    if (!table.forEachMatching(filter, modelFields(),
                               [&](const Record &record) { models.push_back(modelOf(record)); })) {
        return table.fault();
    }
    return models;
}

ReadResult<QStringList> readCategories(const Book &book)
{
    Table table;
    if (!book.open(table, tables::品类)) {
        return table.fault();
    }
    QStringList categories;
    if (!table.forEachMatching(RecordFilter::all(), {fields::品类},
                               [&](const Record &record) { categories << record.textAt(0); })) {
        return table.fault();
    }
    return categories;
}

ReadResult<QList<CatalogueItem>> readItems(const Book &book)
{
    Table table;
    if (!book.open(table, tables::名称)) {
        return table.fault();
    }
    QList<CatalogueItem> items;
    if (!table.forEachMatching(RecordFilter::all(), {fields::品类, fields::名称},
                               [&](const Record &record) {
                                   items.append({record.textAt(0), record.textAt(1)});
                               })) {
        return table.fault();
    }
    return items;
}

ReadResult<std::vector<ModelRecord>> readModelsOf(const Book &book, const QString &category,
                                                  const QString &item)
{
    return readModelsMatching(
        book, RecordFilter::textsEqual({{fields::品类, category}, {fields::名称, item}}));
}

ReadResult<std::vector<ModelRecord>> readAllModels(const Book &book)
{
    return readModelsMatching(book, RecordFilter::all());
}

} // namespace kucun
