#include "Barcodes.h"

#include "book/ChangeNotifier.h"
#include "book/money/ModelPrices.h"
#include "store/Table.h"
#include "store/TableSchema.h"

namespace kucun {

namespace {

RecordFilter bearersOf(const QString &code)
{
    return RecordFilter::textsEqual({{fields::条码, code}});
}

ModelKey modelOf(const Record &row)
{
    return {row.text(fields::品类), row.text(fields::名称), row.text(fields::型号)};
}

} // namespace

QVariant storedBarcode(const QString &code)
{
    return code.isEmpty() ? QVariant::fromValue(nullptr) : QVariant(code);
}

QString normalizedBarcode(const QString &typed)
{
    return typed.trimmed();
}

ReadResult<std::optional<ModelKey>> findModelByBarcode(const Book &book, const QString &code)
{
    Table models;
    if (!book.open(models, tables::型号资料)) {
        return models.fault();
    }
    std::optional<ModelKey> found;
    const bool read = models.forEachMatching(bearersOf(code), [&found](const Record &row) {
        if (!found) {
            found = modelOf(row);
        }
    });
    if (!read) {
        return models.fault();
    }
    return found;
}

std::optional<std::optional<ModelKey>> otherBearerOf(Table &table, const QString &code,
                                                     const ModelKey &self)
{
    std::optional<ModelKey> other;
    const bool read = table.forEachIn(tables::型号资料, bearersOf(code), [&](const Record &row) {
        if (!other && modelOf(row) != self) {
            other = modelOf(row);
        }
    });
    if (!read) {
        return std::nullopt;
    }
    return other;
}

namespace {

// Gives the code in one transaction; the tables close on return.
GivenBarcode giveInOneTransaction(const Book &book, const ModelKey &model, const QString &code)
{
    Table models;
    if (!book.open(models, tables::型号) || !book.attach(models, tables::型号资料) ||
        !models.beginTransaction()) {
        return {models.fault(), {}};
    }
    GivenBarcode given{BarcodeOutcome::Done, {}};
    // An empty code is no one's: taking a code away can't clash.
    const auto bearer = code.isEmpty() ? std::optional(std::optional<ModelKey>())
                                       : otherBearerOf(models, code, model);
    if (!bearer) {
        given.outcome = models.fault();
    } else if (*bearer) {
        given = {BarcodeOutcome::TakenByOther, **bearer};
    } else if (!models.findTexts({{fields::品类, model.category},
                                  {fields::名称, model.item},
                                  {fields::型号, model.model}})) {
        given.outcome = models.fault() != StoreFault::None ? Outcome<BarcodeOutcome>(models.fault())
                                                           : BarcodeOutcome::NotFound;
    } else if (!setModelFields(models, model, {{fields::条码, storedBarcode(code)}}) ||
               !models.commit()) {
        given.outcome = models.fault();
    }
    if (!given.outcome.done()) {
        models.rollback();
    }
    return given;
}

} // namespace

GivenBarcode giveBarcode(const Book &book, const ModelKey &model, const QString &code,
                         ChangeNotifier &changes)
{
    const GivenBarcode given = giveInOneTransaction(book, model, code);
    // The tables are closed before anyone reloads from them.
    if (given.outcome.done()) {
        emit changes.modelsChanged();
    }
    return given;
}

} // namespace kucun
