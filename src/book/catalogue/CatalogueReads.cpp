#include "CatalogueReads.h"

#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

ReadResult<std::vector<ModelRecord>> readModelsMatching(const RecordFilter &filter)
{
    Table table;
    if (!table.open(tables::型号, tablePassword())) {
        return table.fault();
    }
    const Schema &schema = table.schema();
    const int category = schema.require(fields::品类, FieldKind::Text);
    const int item = schema.require(fields::名称, FieldKind::Text);
    const int model = schema.require(fields::型号, FieldKind::Text);
    const int unit = schema.require(fields::单位, FieldKind::Text);
    const int stock = schema.require(fields::库存, FieldKind::Number);
    const int remark = schema.require(fields::备注, FieldKind::Text);
    std::vector<ModelRecord> models;
    table.forEachMatching(filter, [&](const Record &record) {
        models.push_back({record.rowId(), record.textAt(category), record.textAt(item),
                          record.textAt(model), record.textAt(unit), record.numberAt(stock),
                          record.textAt(remark)});
    });
    return models;
}

ReadResult<QStringList> readCategories()
{
    Table table;
    if (!table.open(tables::品类, tablePassword())) {
        return table.fault();
    }
    QStringList categories;
    table.forEachMatching(RecordFilter::all(), {fields::品类},
                          [&](const Record &record) { categories << record.textAt(0); });
    return categories;
}

ReadResult<QList<CatalogueItem>> readItems()
{
    Table table;
    if (!table.open(tables::名称, tablePassword())) {
        return table.fault();
    }
    QList<CatalogueItem> items;
    table.forEachMatching(RecordFilter::all(), {fields::品类, fields::名称},
                          [&](const Record &record) {
                              items.append({record.textAt(0), record.textAt(1)});
                          });
    return items;
}

ReadResult<std::vector<ModelRecord>> readModelsOf(const QString &category, const QString &item)
{
    return readModelsMatching(
        RecordFilter::textsEqual({{fields::品类, category}, {fields::名称, item}}));
}

ReadResult<std::vector<ModelRecord>> readAllModels()
{
    return readModelsMatching(RecordFilter::all());
}

} // namespace kucun
