#include "CatalogueChanges.h"

#include "book/ChangeNotifier.h"
#include "book/TableFailure.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <functional>

namespace kucun {

namespace {

using Step = std::function<CatalogueOutcome(Table &)>;

// Opens the first table, joins the others and runs the step in one
// transaction: committed when it is done, rolled back otherwise.
CatalogueOutcome inTransaction(const QString &first, const QStringList &others, const Step &step)
{
    Table table;
    if (!table.open(first, tablePassword())) {
        return failureOf<CatalogueOutcome>(table);
    }
    for (const QString &other : others) {
        if (!table.attach(other, tablePassword())) {
            return failureOf<CatalogueOutcome>(table);
        }
    }
    if (!table.beginTransaction()) {
        return failureOf<CatalogueOutcome>(table);
    }
    CatalogueOutcome outcome = step(table);
    if (outcome == CatalogueOutcome::Done && !table.commit()) {
        outcome = CatalogueOutcome::WriteFailed;
    }
    if (outcome == CatalogueOutcome::WriteFailed) {
        outcome = failureOf<CatalogueOutcome>(table);
    }
    if (outcome != CatalogueOutcome::Done) {
        table.rollback();
    }
    return outcome;
}

CatalogueOutcome written(bool ok)
{
    return ok ? CatalogueOutcome::Done : CatalogueOutcome::WriteFailed;
}

// Tells the lists when the tables changed, or when what they show is stale.
CatalogueOutcome announced(CatalogueOutcome outcome, void (ChangeNotifier::*signal)(),
                           ChangeNotifier &changes)
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

// A search that found nothing: NotFound, or a failed write (told by the
// table's fault) when the file could not answer it.
CatalogueOutcome notFound(const Table &table)
{
    return table.fault() == StoreFault::None ? CatalogueOutcome::NotFound
                                             : CatalogueOutcome::WriteFailed;
}

RecordFilter modelsOf(const QString &category, const QString &item)
{
    return RecordFilter::textsEqual({{fields::品类, category}, {fields::名称, item}});
}

} // namespace

CatalogueOutcome addCategory(const QString &category, ChangeNotifier &changes)
{
    const CatalogueOutcome outcome = inTransaction(tables::品类, {}, [&](Table &categories) {
        return written(categories.append({category}));
    });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

CatalogueOutcome addItem(const QString &category, const QString &item, ChangeNotifier &changes)
{
    const CatalogueOutcome outcome = inTransaction(tables::名称, {}, [&](Table &items) {
        return written(items.append({category, item}));
    });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

CatalogueOutcome addModel(const QString &category, const QString &item, const ModelTexts &texts,
                          ChangeNotifier &changes)
{
    const CatalogueOutcome outcome = inTransaction(tables::型号, {}, [&](Table &models) {
        if (findModel(models, category, item, texts.model)) {
            return CatalogueOutcome::AlreadyThere;
        }
        if (notFound(models) != CatalogueOutcome::NotFound) {
            return CatalogueOutcome::WriteFailed;
        }
        return written(
            models.append({category, item, texts.model, texts.unit, QVariant(), texts.remark}));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

CatalogueOutcome modifyModel(const QString &category, const QString &item, const QString &model,
                             const ModelTexts &texts, ChangeNotifier &changes)
{
    const CatalogueOutcome outcome = inTransaction(tables::型号, {}, [&](Table &models) {
        if (!findModel(models, category, item, model)) {
            return notFound(models);
        }
        const qint64 changed = models.current().rowId();
        // Another copy may have given a second model this text since the
        // list was shown: the check is made under the write lock.
        if (texts.model != model && findModel(models, category, item, texts.model)) {
            return CatalogueOutcome::AlreadyThere;
        }
        if (notFound(models) != CatalogueOutcome::NotFound) {
            return CatalogueOutcome::WriteFailed;
        }
        return written(
            models.goToId(changed) &&
            models.modify({category, item, texts.model, texts.unit, QVariant(), texts.remark}));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

CatalogueOutcome deleteModel(const QString &category, const QString &item, const QString &model,
                             const std::function<bool()> &confirm, ChangeNotifier &changes)
{
    {
        Table models;
        if (!models.open(tables::型号, tablePassword())) {
            return failureOf<CatalogueOutcome>(models);
        }
        if (!findModel(models, category, item, model)) {
            if (notFound(models) != CatalogueOutcome::NotFound) {
                return failureOf<CatalogueOutcome>(models);
            }
            return announced(CatalogueOutcome::NotFound, &ChangeNotifier::modelsChanged, changes);
        }
    }
    if (!confirm()) {
        return CatalogueOutcome::Cancelled;
    }
    const CatalogueOutcome outcome = inTransaction(tables::型号, {}, [&](Table &models) {
        if (!findModel(models, category, item, model)) {
            return notFound(models);
        }
        return written(
            models.removeMatching(tables::型号, RecordFilter::idsIn({models.current().rowId()})));
    });
    return announced(outcome, &ChangeNotifier::modelsChanged, changes);
}

CatalogueOutcome deleteItem(const QString &category, const QString &item, ChangeNotifier &changes)
{
    const CatalogueOutcome outcome = inTransaction(tables::名称, {tables::型号}, [&](Table &items) {
        // Only the first record of the item goes; a second one of the
        // same texts stays, as its group in the menus does.
        items.first();
        const bool found = items.findTexts({{fields::品类, category}, {fields::名称, item}});
        if (found &&
            !items.removeMatching(tables::名称, RecordFilter::idsIn({items.current().rowId()}))) {
            return CatalogueOutcome::WriteFailed;
        }
        if (!found && notFound(items) != CatalogueOutcome::NotFound) {
            return CatalogueOutcome::WriteFailed;
        }
        return written(items.removeMatching(tables::型号, modelsOf(category, item)));
    });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

CatalogueOutcome deleteCategory(qint64 position, const QString &category, ChangeNotifier &changes)
{
    const CatalogueOutcome outcome =
        inTransaction(tables::品类, {tables::名称, tables::型号}, [&](Table &categories) {
            // A menu that no longer matches the table deletes nothing.
            if (!categories.goToPosition(position)) {
                return notFound(categories);
            }
            if (categories.text(fields::品类) != category) {
                return CatalogueOutcome::NotFound;
            }
            const RecordFilter ofCategory = RecordFilter::textsEqual({{fields::品类, category}});
            return written(categories.removeMatching(
                               tables::品类, RecordFilter::idsIn({categories.current().rowId()})) &&
                           categories.removeMatching(tables::名称, ofCategory) &&
                           categories.removeMatching(tables::型号, ofCategory));
        });
    return announced(outcome, &ChangeNotifier::catalogueChanged, changes);
}

} // namespace kucun
