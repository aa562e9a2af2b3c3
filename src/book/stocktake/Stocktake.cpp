#include "Stocktake.h"

#include "book/ChangeNotifier.h"
#include "book/TableFailure.h"
#include "book/ValueText.h"
#include "book/history/StockOnDay.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <cmath>

namespace kucun {

namespace {

const QString countRemark = QStringLiteral("盘点");

bool isWhole(double value)
{
    return std::abs(value - std::round(value)) <= numberTolerance;
}

bool isZero(double value)
{
    return std::abs(value) <= numberTolerance;
}

// Books one line's difference in the open transaction. False when the model
// is no longer as loaded.
std::optional<bool> bookLine(Table &models, const CountSheet &sheet, const CountLine &line,
                             qint64 difference)
{
    const ModelRecord &loaded = line.model;
    if (!models.goToId(loaded.id) || models.text(fields::品类) != loaded.category ||
        models.text(fields::名称) != loaded.item || models.text(fields::型号) != loaded.model ||
        std::abs(models.number(fields::库存) - loaded.stock) > numberTolerance) {
        return false;
    }
    const double stock = models.number(fields::库存) + double(difference);
    QVariantList stockOnly(models.schema().fields().size());
    stockOnly[models.schema().indexOf(fields::库存)] = stock;
    const QVariant quantity(qint32(std::abs(difference)));
    const bool in = difference > 0;
    const QVariantList movement{sheet.day,
                                loaded.category,
                                loaded.item,
                                loaded.model,
                                in ? quantity : QVariant(),
                                in ? QVariant() : quantity,
                                models.text(fields::单位),
                                countRemark};
    if (!models.modify(stockOnly) || !models.appendTo(tables::明细, movement)) {
        return std::nullopt;
    }
    return true;
}

} // namespace

std::optional<double> CountLine::difference() const
{
    if (!counted) {
        return std::nullopt;
    }
    return *counted - bookStock;
}

ReadResult<CountSheet> loadCountSheet(const QString &category, const QDate &day)
{
    const ReadResult<std::vector<ModelRecord>> models =
        category.isEmpty()
            ? readAllModels()
            : readModelsMatching(RecordFilter::textsEqual({{fields::品类, category}}));
    if (!models) {
        return models.fault();
    }
    const ReadResult<std::vector<double>> onDay = stockOnDay(*models, day);
    if (!onDay) {
        return onDay.fault();
    }
    CountSheet sheet{category, day, {}};
    sheet.lines.reserve(models->size());
    for (size_t row = 0; row < models->size(); ++row) {
        sheet.lines.push_back({(*models)[row], (*onDay)[row], std::nullopt});
    }
    return sheet;
}

CountSummary summarize(const CountSheet &sheet)
{
    CountSummary summary;
    for (size_t row = 0; row < sheet.lines.size(); ++row) {
        const std::optional<double> difference = sheet.lines[row].difference();
        if (!difference || isZero(*difference)) {
            continue;
        }
        if (!isWhole(*difference) && summary.fractionalRow < 0) {
            summary.fractionalRow = int(row);
        }
        ++(*difference > 0 ? summary.surplus : summary.shortage);
    }
    return summary;
}

StocktakeOutcome bookCount(const CountSheet &sheet, ChangeNotifier &changes)
{
    const CountSummary summary = summarize(sheet);
    if (summary.fractionalRow >= 0) {
        return StocktakeOutcome::FractionalDifference;
    }
    if (summary.surplus + summary.shortage == 0) {
        return StocktakeOutcome::NothingToBook;
    }
    StocktakeOutcome outcome = StocktakeOutcome::Booked;
    {
        Table models;
        if (!models.open(tables::型号, tablePassword()) ||
            !models.attach(tables::明细, tablePassword()) || !models.beginTransaction()) {
            return failureOf<StocktakeOutcome>(models);
        }
        for (const CountLine &line : sheet.lines) {
            const std::optional<double> difference = line.difference();
            if (!difference || isZero(*difference)) {
                continue;
            }
            const std::optional<bool> booked =
                bookLine(models, sheet, line, qint64(std::llround(*difference)));
            if (!booked || !*booked) {
                outcome =
                    booked ? StocktakeOutcome::StockChanged : failureOf<StocktakeOutcome>(models);
                break;
            }
        }
        if (outcome == StocktakeOutcome::Booked && !models.commit()) {
            outcome = failureOf<StocktakeOutcome>(models);
        }
        if (outcome != StocktakeOutcome::Booked) {
            models.rollback();
        }
    }
    // The tables are closed before anyone reloads from them.
    if (outcome == StocktakeOutcome::Booked) {
        emit changes.stockChanged();
        emit changes.movementsAdded();
    }
    return outcome;
}

} // namespace kucun
