#include "Stocktake.h"

#include "book/ChangeNotifier.h"
#include "book/ValueText.h"
#include "book/catalogue/ModelKey.h"
#include "book/history/StockOnDay.h"
#include "book/money/ModelPrices.h"
#include "book/stock/Booking.h"
#include "book/stock/MovementWrite.h"
#include "book/stock/Quantity.h"
#include "store/Table.h"
#include "store/TableSchema.h"

#include <cmath>

namespace kucun {

namespace {

const QString countRemark = QStringLiteral("盘点");

bool isZero(double value)
{
    return std::abs(value) <= numberTolerance;
}

// The movements after the count day, net per model texts, read in the open
// transaction.
using NetAfter = QHash<ModelKey, double>;

std::optional<NetAfter> netMovementsAfter(Table &models, const QDate &day)
{
    NetAfter net;
    if (!day.isValid() || day >= QDate(9999, 12, 31)) {
        return net;
    }
    const auto totals = models.totalsByTexts(
        RecordFilter::dateTimeFrom(fields::日期, day.addDays(1)),
        {fields::品类, fields::名称, fields::型号}, fields::入库, fields::出库, tables::明细);
    if (!totals) {
        return std::nullopt;
    }
    for (const Table::TextsTotal &total : *totals) {
        net.insert({total.texts[0], total.texts[1], total.texts[2]}, total.total);
    }
    return net;
}

// Books one line's difference in the open transaction. False when the model
// is gone or renamed, or its 账面 on the count day is no longer the one its
// count was typed against.
std::optional<bool> bookLine(Table &models, const CountSheet &sheet, const CountLine &line,
                             const NetAfter &netAfter)
{
    const ModelRecord &loaded = line.model;
    const ModelKey key{loaded.category, loaded.item, loaded.model};
    const auto sameTexts = [&models, &key] {
        return models.text(fields::品类) == key.category && models.text(fields::名称) == key.item &&
               models.text(fields::型号) == key.model;
    };
    if (!models.goToId(loaded.id) || !sameTexts()) {
        return models.fault() == StoreFault::None ? std::optional<bool>(false) : std::nullopt;
    }
    const double stock = models.number(fields::库存);
    double bookStock = stock;
    // The log's movements belong to the first model with these texts.
    if (const auto net = netAfter.constFind(key); net != netAfter.cend() && !isZero(*net)) {
        models.first();
        if (!models.findTexts({{fields::品类, key.category},
                               {fields::名称, key.item},
                               {fields::型号, key.model}})) {
            return std::nullopt;
        }
        if (models.current().rowId() == loaded.id) {
            bookStock -= *net;
        }
        if (!models.goToId(loaded.id)) {
            return std::nullopt;
        }
    }
    if (!line.countedAgainst || std::abs(bookStock - *line.countedAgainst) > numberTolerance) {
        return false;
    }
    const double difference = *line.counted - bookStock;
    if (checkCount(*line.counted, bookStock) != CountCheck::Fine) {
        return false;
    }
    const qint64 whole = std::llround(difference);
    const qint32 quantity = qint32(std::abs(whole));
    const Movement movement{loaded.category, loaded.item,
                            loaded.model,    whole > 0 ? MovementKind::In : MovementKind::Out,
                            quantity,        double(quantity),
                            sheet.day,       countRemark};
    if (!writeMovement(models, movement)) {
        return std::nullopt;
    }
    return true;
}

} // namespace

void CountLine::enter(std::optional<double> count)
{
    counted = count;
    countedAgainst = count ? std::optional<double>(bookStock) : std::nullopt;
}

void CountLine::countOneMore()
{
    if (waits()) {
        counted = *counted + 1;
    } else {
        enter(counted.value_or(0) + 1);
    }
}

bool CountLine::waits() const
{
    return counted && (!countedAgainst || std::abs(*countedAgainst - bookStock) > numberTolerance);
}

std::optional<double> CountLine::difference() const
{
    if (!counted || waits()) {
        return std::nullopt;
    }
    return *counted - bookStock;
}

CountCheck checkCount(double counted, double bookStock)
{
    const double difference = counted - bookStock;
    if (!std::isfinite(difference) || counted > double(largestQuantity) ||
        std::abs(difference) > double(largestQuantity) + numberTolerance) {
        return CountCheck::TooLarge;
    }
    if (std::abs(difference - std::round(difference)) > numberTolerance) {
        return CountCheck::NotWhole;
    }
    return CountCheck::Fine;
}

ReadResult<CountSheet> loadCountSheet(const Book &book, const QString &category, const QDate &day)
{
    const ReadResult<std::vector<ModelRecord>> models =
        category.isEmpty()
            ? readAllModels(book)
            : readModelsMatching(book, RecordFilter::textsEqual({{fields::品类, category}}));
    if (!models) {
        return models.fault();
    }
    const ReadResult<std::vector<double>> onDay = stockOnDay(book, *models, day);
    if (!onDay) {
        return onDay.fault();
    }
    // Without the prices the count still works; only its amounts are 0.
    const ReadResult<QHash<ModelKey, ModelPrices>> read = readAllModelPrices(book);
    const QHash<ModelKey, ModelPrices> prices = read ? *read : QHash<ModelKey, ModelPrices>();
    CountSheet sheet{category, day, {}};
    sheet.lines.reserve(models->size());
    for (size_t row = 0; row < models->size(); ++row) {
        const ModelRecord &model = (*models)[row];
        const ModelPrices price = prices.value({model.category, model.item, model.model});
        sheet.lines.push_back({model, (*onDay)[row], std::nullopt, std::nullopt, price.cost});
    }
    return sheet;
}

CountSummary summarize(const CountSheet &sheet)
{
    CountSummary summary;
    for (size_t row = 0; row < sheet.lines.size(); ++row) {
        const CountLine &line = sheet.lines[row];
        if (line.waits()) {
            ++summary.waiting;
            continue;
        }
        const std::optional<double> difference = line.difference();
        if (!difference || isZero(*difference)) {
            continue;
        }
        const CountCheck check = checkCount(*line.counted, line.bookStock);
        if (check != CountCheck::Fine && summary.refusedRow < 0) {
            summary.refusedRow = int(row);
            summary.refusal = check;
        }
        ++(*difference > 0 ? summary.surplus : summary.shortage);
        if (line.cost) {
            (*difference > 0 ? summary.surplusAmount : summary.shortageAmount) +=
                amountOf(std::abs(*difference), *line.cost);
        }
    }
    return summary;
}

Outcome<StocktakeOutcome> bookCount(const Book &book, const CountSheet &sheet,
                                    ChangeNotifier &changes)
{
    const CountSummary summary = summarize(sheet);
    if (summary.refusal != CountCheck::Fine) {
        return summary.refusal == CountCheck::NotWhole ? StocktakeOutcome::FractionalDifference
                                                       : StocktakeOutcome::CountTooLarge;
    }
    if (summary.surplus + summary.shortage == 0) {
        return StocktakeOutcome::NothingToBook;
    }
    Outcome<StocktakeOutcome> outcome = StocktakeOutcome::Booked;
    {
        Table models;
        if (!book.open(models, tables::型号) || !book.attach(models, tables::明细)) {
            return models.fault();
        }
        // A difference enters or leaves at the model's 成本价, unchanged.
        book.attachOwn(models, {tables::型号资料, tables::明细金额});
        if (!models.beginTransaction()) {
            return models.fault();
        }
        const std::optional<NetAfter> netAfter = netMovementsAfter(models, sheet.day);
        if (!netAfter) {
            outcome = models.fault();
        }
        for (const CountLine &line : sheet.lines) {
            const std::optional<double> difference = line.difference();
            if (outcome != StocktakeOutcome::Booked || !difference || isZero(*difference)) {
                continue;
            }
            const std::optional<bool> booked = bookLine(models, sheet, line, *netAfter);
            if (!booked) {
                outcome = models.fault();
            } else if (!*booked) {
                outcome = StocktakeOutcome::StockChanged;
            }
        }
        if (outcome == StocktakeOutcome::Booked && !models.commit()) {
            outcome = models.fault();
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
