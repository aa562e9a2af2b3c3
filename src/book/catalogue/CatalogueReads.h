#pragma once

#include "book/ReadResult.h"
#include "book/files/Book.h"
#include "store/RecordFilter.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kucun {

class StoredRow;

// The reads of the catalogue. Each opens its table, reads it in record order
// and closes it; nothing means the table could not be opened or read, and
// its fault says why.

// An item (名称 record) and the category it belongs to.
struct CatalogueItem
{
    QString category;
    QString item;
};

// A model (型号 record) with its stock.
struct ModelRecord
{
    qint64 id = 0;
    QString category;
    QString item;
    QString model;
    QString unit;
    double stock = 0;
    QString remark;
};

// The fields of 型号 a model is read from, in the order modelOf takes them.
const QStringList &modelFields();

// The model held by the first fields of a row read with modelFields(): a
// Record, or a StoredRow.
template <typename Row> ModelRecord modelOf(const Row &row)
{
    return {row.rowId(),   row.textAt(0),   row.textAt(1), row.textAt(2),
            row.textAt(3), row.numberAt(4), row.textAt(5)};
}

// Visits the models the filter keeps, in record order, each as stored with
// modelFields(): for reads that match models to another table by their
// stored texts (storedKeyOf) and make few of them ModelRecords. None, or
// the fault when 型号 fails to answer.
StoreFault visitStoredModels(const Book &book, const RecordFilter &filter,
                             const std::function<void(const StoredRow &)> &visit);

ReadResult<QStringList> readCategories(const Book &book);
ReadResult<QList<CatalogueItem>> readItems(const Book &book);
// The models whose 品类 and 名称 equal these texts exactly.
ReadResult<std::vector<ModelRecord>> readModelsOf(const Book &book, const QString &category,
                                                  const QString &item);
// The models the filter selects.
ReadResult<std::vector<ModelRecord>> readModelsMatching(const Book &book,
                                                        const RecordFilter &filter);
// Every model: the whole stock.
ReadResult<std::vector<ModelRecord>> readAllModels(const Book &book);

} // namespace kucun

Q_DECLARE_METATYPE(kucun::ModelRecord)
