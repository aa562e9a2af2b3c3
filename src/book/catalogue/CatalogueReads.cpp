#include "CatalogueReads.h"

#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

ReadResult<std::vector<ModelRecord>> readModelsMatching(const Book &book,
                                                        const RecordFilter &filter)
{
    Table table;
    if (!book.open(table, tables::型号)) {
        return table.fault();
    }
    const Schema &schema = table.schema();
    const int category = schema.indexOf(fields::品类);
    const int item = schema.indexOf(fields::名称);
    const int model = schema.indexOf(fields::型号);
    const int unit = schema.indexOf(fields::单位);
    const int stock = schema.indexOf(fields::库存);
    const int remark = schema.indexOf(fields::备注);
    std::vector<ModelRecord> models;
    const bool read = table.forEachMatching(filter, [&](const Record &record) {
        models.push_back({record.rowId(), record.textAt(category), record.textAt(item),
                          record.textAt(model), record.textAt(unit), record.numberAt(stock),
                          record.textAt(remark)});
    });
    if (!read) {
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
