#include "StockOnDay.h"

#include "book/catalogue/ModelKey.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

ReadResult<std::vector<double>> stockOnDay(const Book &book, const std::vector<ModelRecord> &models,
                                           const QDate &day)
{
    std::vector<ModelKey> keys;
    std::vector<double> figures;
    keys.reserve(models.size());
    figures.reserve(models.size());
    for (const ModelRecord &model : models) {
        keys.push_back({model.category, model.item, model.model});
        figures.push_back(model.stock);
    }
    if (!day.isValid() || day >= QDate(9999, 12, 31)) {
        return figures;
    }
    Table log;
    if (!book.open(log, tables::明细)) {
        return log.fault();
    }
    // One sum per model named in the log since the day after: SQLite adds
    // them up far faster than a walk over the rows could.
    const auto totals =
        log.totalsByTexts(RecordFilter::dateTimeFrom(fields::日期, day.addDays(1)),
                          {fields::品类, fields::名称, fields::型号}, fields::入库, fields::出库);
    if (!totals) {
        return log.fault();
    }
    const FirstKeyIndex firstKey(keys);
    for (const Table::TextsTotal &total : *totals) {
        const qsizetype row = firstKey.find({total.texts[0], total.texts[1], total.texts[2]});
        if (row >= 0) {
            figures[size_t(row)] -= total.total;
        }
    }
    return figures;
}

} // namespace kucun
