#include "CatalogueChanges.h"

#include "book/ChangeNotifier.h"
#include "book/codes/Barcodes.h"
#include "book/money/ModelPrices.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <functional>

namespace kucun {

namespace {

using Result = Outcome<CatalogueOutcome>;
using Step = std::function<Result(Table &)>;

// Opens the first table, joins the others (and 型号资料, where it can be
// joined) and runs the step in one transaction: committed when it is done,
// rolled back otherwise.
Result inTransaction(const Book &book, const QString &first, const QStringList &others,
                     const Step &step)
{
    Table table;
    if (!book.open(table, first)) {
        return table.fault();
    }
    for (const QString &other : others) {
        if (!book.attach(table, other)) {
            return table.fault();
        }
    }
    book.attachOwn(table, {tables::型号资料});
    if (!table.beginTransaction()) {
        return table.fault();
    }
    Result outcome = step(table);
    if (outcome.done() && !table.commit()) {
        outcome = table.fault();
    }
    if (!outcome.done()) {
        table.rollback();
    }
    return outcome;
}

Result written(const Table &table, bool ok)
{
    if (!ok) {
        return table.fault();
    }
    return CatalogueOutcome::Done;
}

// Tells the lists when the tables changed, or when what they show is stale.
Result announced(Result outcome, void (ChangeNotifier::*signal)(), ChangeNotifier &changes)
{
    if (outcome == CatalogueOutcome::Done || outcome == CatalogueOutcome::NotFound) {
        emit(changes.*signal)();
    }
    return outcome;
}

bool findModel(Table &models, const QString &category, const QString &item, const QString &model)
{
    models.first();
    return models.findTexts(
        {{fields::品类, category}, {fields::名称, item}, {fields::型号, model}});
}

// A search that found nothing: NotFound, or the table's fault when the file
// could not answer it.
Result notFound(const Table &table)
{
    if (table.fault() != StoreFault::None) {
        return table.fault();
    }
    return CatalogueOutcome::NotFound;
}

RecordFilter modelsOf(const QString &category, const QString &item)
{
    return RecordFilter::textsEqual({{fields::品类, category}, {fields::名称, item}});
}

// The rows of 型号资料 the filter names go with their models, where the
// table is there to change.
bool pricesRemoved(Table &table, const RecordFilter &filter)
{
    return !table.holds(tables::型号资料) || removeModelPrices(table, filter);
}

RecordFilter pricesOf(const ModelKey &key)
{
    return RecordFilter::textsEqual(
        {{fields::品类, key.category}, {fields::名称, key.item}, {fields::型号, key.model}});
}

// The typed code, unless another model than `self` bears it: CodeTaken,
// with that model in `bearer` when asked for. Read under the write lock,
// so that two computers can't give one code to two models.
std::optional<Result> codeRefused(Table &models, const ModelTexts &texts, const ModelKey &self,
                                  ModelKey *bearer)
{
    if (texts.barcode.isEmpty()) {
        return std::nullopt;
    }
    const auto other = otherBearerOf(models, texts.barcode, self);
    if (!other) {
        return Result(models.fault());
    }
    if (!*other) {
        return std::nullopt;
    }
    if (bearer) {
        *bearer = **other;
    }
    return Result(CatalogueOutcome::CodeTaken);
}

bool anythingTyped(const ModelTexts &texts)
{
    return texts.purchasePrice || texts.salePrice || !texts.barcode.isEmpty() || texts.minimum ||
           texts.restockTo;
}

} // namespace

bool restockLevelsAgree(const ModelTexts &texts)
{
    return !texts.minimum || !texts.restockTo || *texts.restockTo >= *texts.minimum;
}

Outcome<CatalogueOutcome> addCategory(const Book &book, const QString &category,
                                      ChangeNotifier &changes)
{
    const Result outcome = inTransaction(book, tables::品类, {}, [&](Table &categories) -> Result {
        return written(categories, categories.append({category}));
    });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

Outcome<CatalogueOutcome> addItem(const Book &book, const QString &category, const QString &item,
                                  ChangeNotifier &changes)
{
    const Result outcome = inTransaction(book, tables::名称, {}, [&](Table &items) -> Result {
        return written(items, items.append({category, item}));
    });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

Outcome<CatalogueOutcome> addModel(const Book &book, const QString &category, const QString &item,
                                   const ModelTexts &texts, ChangeNotifier &changes,
                                   ModelKey *codeBearer)
{
    if (!restockLevelsAgree(texts)) {
        return CatalogueOutcome::RestockBelowMinimum;
    }
    const Result outcome = inTransaction(book, tables::型号, {}, [&](Table &models) -> Result {
        if (findModel(models, category, item, texts.model)) {
            return CatalogueOutcome::AlreadyThere;
        }
        if (models.fault() != StoreFault::None) {
            return models.fault();
        }
        const ModelKey key{category, item, texts.model};
        // A row of these texts no model bears is a leftover, not this model's.
        if (!models.append({category, item, texts.model, texts.unit, QVariant(), texts.remark}) ||
            !pricesRemoved(models, pricesOf(key))) {
            return models.fault();
        }
        if (!models.holds(tables::型号资料) || !anythingTyped(texts)) {
            return CatalogueOutcome::Done;
        }
        if (const auto refused = codeRefused(models, texts, key, codeBearer)) {
            return *refused;
        }
        return written(models, saveTypedModelFields(models, key, texts));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

Outcome<CatalogueOutcome> modifyModel(const Book &book, const QString &category,
                                      const QString &item, const QString &model,
                                      const ModelTexts &texts, ChangeNotifier &changes,
                                      ModelKey *codeBearer)
{
    if (!restockLevelsAgree(texts)) {
        return CatalogueOutcome::RestockBelowMinimum;
    }
    const Result outcome = inTransaction(book, tables::型号, {}, [&](Table &models) -> Result {
        if (!findModel(models, category, item, model)) {
            return notFound(models);
        }
        const qint64 changed = models.current().rowId();
        // Another copy may have given a second model this text since the
        // list was shown: the check is made under the write lock.
        if (texts.model != model && findModel(models, category, item, texts.model)) {
            return CatalogueOutcome::AlreadyThere;
        }
        if (models.fault() != StoreFault::None) {
            return models.fault();
        }
        if (!models.goToId(changed) ||
            !models.modify({category, item, texts.model, texts.unit, QVariant(), texts.remark})) {
            return models.fault();
        }
        if (!models.holds(tables::型号资料)) {
            return CatalogueOutcome::Done;
        }
        // A twin of the old texts keeps their row; otherwise it goes with the model.
        const bool twinStays = findModel(models, category, item, model);
        if (!twinStays && models.fault() != StoreFault::None) {
            return models.fault();
        }
        const ModelKey to{category, item, texts.model};
        if (!carryModelPrices(models, {category, item, model}, to, twinStays)) {
            return models.fault();
        }
        // Checked once the row went with the model: a twin left with the old
        // texts keeps its code, and another model may not share it.
        if (const auto refused = codeRefused(models, texts, to, codeBearer)) {
            return *refused;
        }
        return written(models, saveTypedModelFields(models, to, texts));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

Outcome<CatalogueOutcome> deleteModel(const Book &book, const QString &category,
                                      const QString &item, const QString &model,
                                      const std::function<bool()> &confirm, ChangeNotifier &changes)
{
    {
        Table models;
        if (!book.open(models, tables::型号)) {
            return models.fault();
        }
        if (!findModel(models, category, item, model)) {
            if (models.fault() != StoreFault::None) {
                return models.fault();
            }
            return announced(CatalogueOutcome::NotFound, &ChangeNotifier::modelsChanged, changes);
        }
    }
    if (!confirm()) {
        return CatalogueOutcome::Cancelled;
    }
    const Result outcome = inTransaction(book, tables::型号, {}, [&](Table &models) -> Result {
        if (!findModel(models, category, item, model)) {
            return notFound(models);
        }
        if (!models.removeMatching(tables::型号, RecordFilter::idsIn({models.current().rowId()}))) {
            return models.fault();
        }
        // A twin of the same texts keeps their row.
        if (findModel(models, category, item, model)) {
            return CatalogueOutcome::Done;
        }
        if (models.fault() != StoreFault::None) {
            return models.fault();
        }
        return written(models, pricesRemoved(models, pricesOf({category, item, model})));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

Outcome<CatalogueOutcome> deleteItem(const Book &book, const QString &category, const QString &item,
                                     ChangeNotifier &changes)
{
    const Result outcome =
        inTransaction(book, tables::名称, {tables::型号}, [&](Table &items) -> Result {
            // Only the first record of the item goes; a second one of the
            // same texts stays, as its group in the menus does.
            items.first();
            const bool found = items.findTexts({{fields::品类, category}, {fields::名称, item}});
            if (found && !items.removeMatching(tables::名称,
                                               RecordFilter::idsIn({items.current().rowId()}))) {
                return items.fault();
            }
            if (!found && items.fault() != StoreFault::None) {
                return items.fault();
            }
            return written(items, items.removeMatching(tables::型号, modelsOf(category, item)) &&
                                      pricesRemoved(items, modelsOf(category, item)));
        });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

Outcome<CatalogueOutcome> deleteCategory(const Book &book, qint64 position, const QString &category,
                                         ChangeNotifier &changes)
{
    const Result outcome = inTransaction(
        book, tables::品类, {tables::名称, tables::型号}, [&](Table &categories) -> Result {
            // A menu that no longer matches the table deletes nothing.
            if (!categories.goToPosition(position)) {
                return notFound(categories);
            }
            if (categories.text(fields::品类) != category) {
                return CatalogueOutcome::NotFound;
            }
            const RecordFilter ofCategory = RecordFilter::textsEqual({{fields::品类, category}});
            return written(categories,
                           categories.removeMatching(
                               tables::品类, RecordFilter::idsIn({categories.current().rowId()})) &&
                               categories.removeMatching(tables::名称, ofCategory) &&
                               categories.removeMatching(tables::型号, ofCategory) &&
                               pricesRemoved(categories, ofCategory));
        });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

} // namespace kucun
