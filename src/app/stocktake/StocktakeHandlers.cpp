#include "StocktakeHandlers.h"

#include "StocktakeWindow.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/reports/ReportForms.h"
#include "book/stock/Quantity.h"
#include "book/stocktake/CountDraft.h"
#include "ui/Dialogs.h"
#include "ui/EditableListModel.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QSignalBlocker>
#include <cmath>

namespace kucun {

namespace {

const QString everyCategory = QStringLiteral("全部");

StocktakeWindow &windowOf(AppContext &context)
{
    return *context.form.窗口盘点;
}

bool hasDifference(const CountLine &line)
{
    const std::optional<double> difference = line.difference();
    return difference && std::abs(*difference) > numberTolerance;
}

ListRow rowOf(const CountLine &line)
{
    const ModelRecord &model = line.model;
    const std::optional<double> difference = line.difference();
    return {{QString(), model.category, model.item, model.model, totalText(line.bookStock),
             line.counted ? numberText(*line.counted) : QString(),
             difference ? totalText(*difference) : QString(), model.unit},
            model.id};
}

// The line of the sheet a row shows.
CountLine *lineOfRow(StocktakeWindow &window, int row)
{
    const qint64 id = window.rows().idAt(row);
    for (CountLine &line : window.sheet.lines) {
        if (line.model.id == id) {
            return &line;
        }
    }
    return nullptr;
}

void showSheet(StocktakeWindow &window)
{
    std::vector<ListRow> rows;
    rows.reserve(window.sheet.lines.size());
    for (const CountLine &line : window.sheet.lines) {
        rows.push_back(rowOf(line));
    }
    window.rows().setRows(std::move(rows));
    for (size_t row = 0; row < window.sheet.lines.size(); ++row) {
        window.rows().setMarked(int(row), hasDifference(window.sheet.lines[row]));
    }
}

QString chosenCategory(const StocktakeWindow &window)
{
    const QString chosen = window.组合框盘点品类->currentText();
    return window.组合框盘点品类->currentIndex() <= 0 ? QString() : chosen;
}

// Reads the sheet for the chosen category and day, with these counts on it.
bool loadSheet(AppContext &context, const CountDraft &counts)
{
    StocktakeWindow &window = windowOf(context);
    const ReadResult<CountSheet> sheet =
        loadCountSheet(chosenCategory(window), window.日期框盘点->date());
    if (!sheet) {
        reportTableFailure(context.dialogs, sheet.fault(), QString());
        return false;
    }
    window.sheet = *sheet;
    applyDraft(counts, window.sheet);
    showSheet(window);
    return true;
}

void keepDraft(AppContext &context)
{
    if (!saveCountDraft(draftOf(windowOf(context).sheet))) {
        tell(context.dialogs, QStringLiteral("盘点记录保存失败！"), Dialogs::Error);
    }
}

void chooseCategory(StocktakeWindow &window, const QString &category)
{
    const int index =
        category.isEmpty()
            ? 0
            : window.组合框盘点品类->findText(category, Qt::MatchExactly | Qt::MatchCaseSensitive);
    window.组合框盘点品类->setCurrentIndex(std::max(0, index));
}

} // namespace

void openStocktake(AppContext &context)
{
    StocktakeWindow &window = windowOf(context);
    const std::optional<CountDraft> kept = loadCountDraft();
    {
        const QSignalBlocker quietCategory(window.组合框盘点品类);
        const QSignalBlocker quietDay(window.日期框盘点);
        window.组合框盘点品类->clear();
        window.组合框盘点品类->addItem(everyCategory);
        window.组合框盘点品类->addItems(context.state.categories);
        chooseCategory(window, kept ? kept->category : QString());
        window.日期框盘点->setDate(kept ? kept->day : QDate::currentDate());
    }
    if (!loadSheet(context, kept ? *kept : CountDraft())) {
        return;
    }
    window.show();
    window.raise();
    window.activateWindow();
    window.超级列表框盘点->setFocus();
}

void reloadCountSheet(AppContext &context)
{
    StocktakeWindow &window = windowOf(context);
    if (loadSheet(context, draftOf(window.sheet))) {
        keepDraft(context);
    }
}

void enterCount(AppContext &context, int row, const QString &text)
{
    StocktakeWindow &window = windowOf(context);
    CountLine *line = lineOfRow(window, row);
    if (!line) {
        return;
    }
    CountLine typed = *line;
    if (isBlank(text)) {
        typed.counted.reset();
    } else if (isPlainNumber(text)) {
        typed.counted = leadingNumber(normalizedNumberText(text));
    } else {
        tell(context.dialogs, QStringLiteral("实盘须为不小于0的数字！"), Dialogs::Warning);
        return;
    }
    const std::optional<double> difference = typed.difference();
    if (difference && std::abs(*difference - std::round(*difference)) > numberTolerance) {
        tell(context.dialogs, QStringLiteral("盘点差异须为整数！"), Dialogs::Warning);
        return;
    }
    *line = typed;
    window.rows().replaceRow(row, rowOf(*line));
    window.rows().setMarked(row, hasDifference(*line));
    keepDraft(context);
}

void showDifferencesFirst(AppContext &context)
{
    StocktakeWindow &window = windowOf(context);
    std::vector<int> order;
    std::vector<int> rest;
    for (int row = 0; row < window.rows().rowCount(); ++row) {
        const CountLine *line = lineOfRow(window, row);
        (line && hasDifference(*line) ? order : rest).push_back(row);
    }
    order.insert(order.end(), rest.begin(), rest.end());
    window.rows().reorder(order);
}

void printCountSheet(AppContext &context, FormPreview &preview)
{
    StocktakeWindow &window = windowOf(context);
    QList<QStringList> rows;
    for (int row = 0; row < window.rows().rowCount(); ++row) {
        const CountLine *line = lineOfRow(window, row);
        rows.append({line->model.item, line->model.model, totalText(line->bookStock),
                     line->model.unit, QString()});
    }
    const QString category = chosenCategory(window);
    const QString title = QStringLiteral("盘点表 %1 %2")
                              .arg(category.isEmpty() ? everyCategory : category,
                                   window.sheet.day.toString(QStringLiteral("yyyy-MM-dd")));
    preview.show(layOutCountSheetForm(title, rows, QDateTime::currentDateTime()));
}

void bookCountedDifferences(AppContext &context)
{
    StocktakeWindow &window = windowOf(context);
    const CountSummary summary = summarize(window.sheet);
    if (summary.fractionalRow >= 0) {
        tell(context.dialogs, QStringLiteral("盘点差异须为整数！"), Dialogs::Warning);
        return;
    }
    if (summary.surplus + summary.shortage == 0) {
        tell(context.dialogs, QStringLiteral("没有需要入账的盘点差异！"), Dialogs::Warning);
        return;
    }
    const QString question = QStringLiteral("将按盘点结果入账：盘盈 %1 项，盘亏 %2 项。确定吗？")
                                 .arg(summary.surplus)
                                 .arg(summary.shortage);
    if (!context.dialogs.message(question, QString(), Dialogs::Question,
                                 Dialogs::Buttons::OkCancel)) {
        return;
    }
    const StocktakeOutcome outcome = bookCount(window.sheet, context.changes);
    if (toldTableFailure(context.dialogs, outcome, QStringLiteral("盘点入账失败！"))) {
        return;
    }
    switch (outcome) {
    case StocktakeOutcome::Booked:
        discardCountDraft();
        loadSheet(context, CountDraft());
        tell(context.dialogs, QStringLiteral("盘点入账完成！"), Dialogs::Information);
        return;
    case StocktakeOutcome::StockChanged:
        tell(context.dialogs, QStringLiteral("账面库存已变化，请重新盘点！"), Dialogs::Warning);
        reloadCountSheet(context);
        return;
    case StocktakeOutcome::FractionalDifference:
        tell(context.dialogs, QStringLiteral("盘点差异须为整数！"), Dialogs::Warning);
        return;
    default:
        tell(context.dialogs, QStringLiteral("没有需要入账的盘点差异！"), Dialogs::Warning);
        return;
    }
}

void discardCount(AppContext &context)
{
    if (!context.dialogs.message(QStringLiteral("放弃本次盘点已录入的实盘数量吗？"), QString(),
                                 Dialogs::Question, Dialogs::Buttons::OkCancel)) {
        return;
    }
    discardCountDraft();
    loadSheet(context, CountDraft());
}

} // namespace kucun
