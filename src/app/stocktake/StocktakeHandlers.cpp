#include "StocktakeHandlers.h"

#include "StocktakeWindow.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/codes/Barcodes.h"
#include "book/forms/ReportForms.h"
#include "book/stock/Quantity.h"
#include "book/stocktake/CountDraft.h"
#include "ui/Dialogs.h"
#include "ui/EditableListModel.h"
#include "ui/FormPreview.h"
#include "ui/ListView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace kucun {

namespace {

const QString everyCategory = QStringLiteral("全部");

bool hasDifference(const CountLine &line)
{
    const std::optional<double> difference = line.difference();
    return difference && std::abs(*difference) > numberTolerance;
}

// 差异 with its sign: +3, -2, 0; "账面已变" for a count that waits.
QString differenceText(const CountLine &line)
{
    if (line.waits()) {
        return QStringLiteral("账面已变");
    }
    const std::optional<double> difference = line.difference();
    if (!difference) {
        return QString();
    }
    const QString text = totalText(*difference);
    return *difference > numberTolerance ? u'+' + text : text;
}

ListRow rowOf(const CountLine &line)
{
    const ModelRecord &model = line.model;
    return {{QString(), model.category, model.item, model.model, totalText(line.bookStock),
             line.counted ? numberText(*line.counted) : QString(), differenceText(line),
             model.unit},
            model.id};
}

EditableListModel::Mark markOf(const CountLine &line)
{
    return line.waits()          ? EditableListModel::Mark::Flagged
           : hasDifference(line) ? EditableListModel::Mark::Marked
                                 : EditableListModel::Mark::None;
}

void showRow(StocktakeWindow &window, int row, const CountLine &line)
{
    window.rows().replaceRow(row, rowOf(line));
    window.rows().setMark(row, markOf(line));
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

// Every line, or with 只看差异 pressed those that differ or wait.
void showSheet(StocktakeWindow &window)
{
    const bool onlyDifferences = window.按钮只看差异->isChecked();
    std::vector<const CountLine *> shown;
    for (const CountLine &line : window.sheet.lines) {
        if (!onlyDifferences || markOf(line) != EditableListModel::Mark::None) {
            shown.push_back(&line);
        }
    }
    std::vector<ListRow> rows;
    rows.reserve(shown.size());
    for (const CountLine *line : shown) {
        rows.push_back(rowOf(*line));
    }
    window.rows().setRows(std::move(rows));
    for (size_t row = 0; row < shown.size(); ++row) {
        window.rows().setMark(int(row), markOf(*shown[row]));
    }
}

QString chosenCategory(const StocktakeWindow &window)
{
    const QString chosen = window.组合框盘点品类->currentText();
    return window.组合框盘点品类->currentIndex() <= 0 ? QString() : chosen;
}

// Reads the sheet for the chosen category and day, with these counts on it;
// `dropped` receives how many counts found no model on it.
bool loadSheet(StocktakeContext &context, const CountDraft &counts, int *dropped = nullptr)
{
    StocktakeWindow &window = context.page;
    const ReadResult<CountSheet> sheet =
        loadCountSheet(context.folders, chosenCategory(window), window.日期框盘点->date());
    if (!sheet) {
        reportTableFailure(context.dialogs, sheet.fault(), QString());
        return false;
    }
    window.sheet = *sheet;
    const int notOnSheet = applyDraft(counts, window.sheet);
    if (dropped) {
        *dropped = notOnSheet;
    }
    showSheet(window);
    return true;
}

void keepDraft(StocktakeContext &context)
{
    if (!saveCountDraft(context.folders, draftOf(context.page.sheet))) {
        tell(context.dialogs, QStringLiteral("盘点记录保存失败！"), Dialogs::Error);
    }
}

// A refused entry stays on its row, as typed, for the owner to correct.
void refuseCount(StocktakeContext &context, int row, const QString &text, const QString &message)
{
    context.page.rows().refuseEntry(row, text);
    warn(context.dialogs, message);
}

// Whether the count, typed as `text`, can be booked against the line's
// 账面; refused on its row when it can't.
bool countAccepted(StocktakeContext &context, int row, const CountLine &line, double count,
                   const QString &text)
{
    switch (checkCount(count, line.bookStock)) {
    case CountCheck::NotWhole:
        refuseCount(context, row, text,
                    std::abs(line.bookStock - std::round(line.bookStock)) > numberTolerance
                        ? QStringLiteral("实盘数量的小数部分须与账面相同！")
                        : QStringLiteral("实盘数量须为整数！"));
        return false;
    case CountCheck::TooLarge:
        refuseCount(context, row, text, QStringLiteral("实盘数量超出单次入账的范围，请核实！"));
        return false;
    case CountCheck::Fine:
        break;
    }
    return true;
}

CountLine *lineOfModel(StocktakeWindow &window, const ModelKey &key)
{
    for (CountLine &line : window.sheet.lines) {
        if (ModelKey{line.model.category, line.model.item, line.model.model} == key) {
            return &line;
        }
    }
    return nullptr;
}

// The row showing the line; -1 when 只看差异 leaves it out.
int rowOfLine(const StocktakeWindow &window, const CountLine &line)
{
    for (int row = 0; row < window.rows().rowCount(); ++row) {
        if (window.rows().idAt(row) == line.model.id) {
            return row;
        }
    }
    return -1;
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

void openStocktake(StocktakeContext &context)
{
    StocktakeWindow &window = context.page;
    const ReadResult<KeptDraft> kept = loadCountDraft(context.folders);
    if (!kept) {
        reportTableFailure(context.dialogs, kept.fault(), QString());
        return;
    }
    if (kept->damage == KeptDraft::Damage::SetAside) {
        warn(context.dialogs, QStringLiteral("上次的盘点记录已损坏，已改名为“盘点.json.bad”保留；"
                                             "本次盘点从空白开始。"));
    } else if (kept->damage == KeptDraft::Damage::NotSetAside) {
        warn(context.dialogs,
             QStringLiteral("上次的盘点记录已损坏，且无法改名保留；本次盘点从空白开始。"));
    }
    const std::optional<CountDraft> &draft = kept->draft;
    {
        const QSignalBlocker quietCategory(window.组合框盘点品类);
        const QSignalBlocker quietDay(window.日期框盘点);
        window.组合框盘点品类->clear();
        window.组合框盘点品类->addItem(everyCategory);
        window.组合框盘点品类->addItems(context.state.categories);
        chooseCategory(window, draft ? draft->category : QString());
        window.日期框盘点->setDate(draft ? draft->day : QDate::currentDate());
    }
    int dropped = 0;
    if (!loadSheet(context, draft ? *draft : CountDraft(), &dropped)) {
        return;
    }
    if (dropped > 0) {
        warn(context.dialogs,
             QStringLiteral("盘点记录中有 %1 项的型号已改名或删除，其实盘数量未载入。")
                 .arg(dropped));
    }
    window.show();
    window.raise();
    window.activateWindow();
    window.超级列表框盘点->setFocus();
}

void reloadCountSheet(StocktakeContext &context)
{
    StocktakeWindow &window = context.page;
    if (loadSheet(context, draftOf(window.sheet))) {
        keepDraft(context);
    }
}

void enterCount(StocktakeContext &context, int row, const QString &text)
{
    StocktakeWindow &window = context.page;
    CountLine *line = lineOfRow(window, row);
    if (!line) {
        return;
    }
    std::optional<double> count;
    if (isPlainNumber(text)) {
        count = leadingNumber(normalizedNumberText(text));
    } else if (!isBlank(text)) {
        refuseCount(context, row, text, QStringLiteral("实盘须为不小于0的数字！"));
        return;
    }
    if (count && !countAccepted(context, row, *line, *count, text)) {
        return;
    }
    line->enter(count);
    showRow(window, row, *line);
    keepDraft(context);
}

void countScannedModel(StocktakeContext &context, const QString &typed)
{
    const QString code = normalizedBarcode(typed);
    if (code.isEmpty()) {
        return;
    }
    const ReadResult<std::optional<ModelKey>> found = findModelByBarcode(context.folders, code);
    if (!found) {
        reportTableFailure(context.dialogs, found.fault(), QString());
        return;
    }
    StocktakeWindow &window = context.page;
    const std::optional<ModelKey> &model = *found;
    if (model && !window.sheet.category.isEmpty() && model->category != window.sheet.category) {
        warn(context.dialogs,
             QStringLiteral("条码对应的型号“%1/%2/%3”不在所选品类“%4”中！")
                 .arg(model->category, model->item, model->model, window.sheet.category));
        return;
    }
    // An entry open ends as if the owner had left its row.
    ListView &list = *window.超级列表框盘点;
    list.setCurrentIndex(QModelIndex());
    // A model added since the sheet was read is on it once read again.
    CountLine *line = model ? lineOfModel(window, *model) : nullptr;
    if (model && !line && loadSheet(context, draftOf(window.sheet))) {
        line = lineOfModel(window, *model);
    }
    if (!line) {
        warn(context.dialogs, QStringLiteral("未找到条码：") + code);
        return;
    }
    int row = rowOfLine(window, *line);
    if (row < 0) {
        // 只看差异 hid its row: every row is shown again.
        window.按钮只看差异->setChecked(false);
        showSheet(window);
        row = rowOfLine(window, *line);
    }
    const QModelIndex cell = list.model()->index(row, StocktakeWindow::CountColumn);
    list.setCurrentIndex(cell);
    list.scrollTo(cell);
    const double count = line->counted.value_or(0) + 1;
    if (!countAccepted(context, row, *line, count, numberText(count))) {
        return;
    }
    line->countOneMore();
    showRow(window, row, *line);
    keepDraft(context);
}

void showOnlyDifferences(StocktakeContext &context)
{
    showSheet(context.page);
}

void printCountSheet(StocktakeContext &context, FormPreview &preview)
{
    StocktakeWindow &window = context.page;
    const QString category = chosenCategory(window);
    QList<QStringList> rows;
    for (int row = 0; row < window.rows().rowCount(); ++row) {
        const CountLine *line = lineOfRow(window, row);
        QStringList cells{line->model.item, line->model.model, totalText(line->bookStock),
                          line->model.unit, QString()};
        if (category.isEmpty()) {
            cells.prepend(line->model.category);
        }
        rows.append(cells);
    }
    const QString title = QStringLiteral("盘点表 %1 %2")
                              .arg(category.isEmpty() ? everyCategory : category,
                                   window.sheet.day.toString(QStringLiteral("yyyy-MM-dd")));
    preview.show(
        layOutCountSheetForm(title, category.isEmpty(), rows, QDateTime::currentDateTime()));
}

void bookCountedDifferences(StocktakeContext &context)
{
    StocktakeWindow &window = context.page;
    // The 账面 as it is now: a row counted against another waits, marked.
    if (!loadSheet(context, draftOf(window.sheet))) {
        return;
    }
    const CountSummary summary = summarize(window.sheet);
    if (summary.refusal != CountCheck::Fine) {
        warn(context.dialogs, summary.refusal == CountCheck::NotWhole
                                  ? QStringLiteral("盘点差异须为整数！")
                                  : QStringLiteral("实盘数量超出单次入账的范围，请核实！"));
        return;
    }
    if (summary.surplus + summary.shortage == 0) {
        warn(context.dialogs,
             summary.waiting > 0
                 ? QStringLiteral(
                       "有 %1 项的账面已变，须重新录入实盘或确认（F2 后回车）后才能入账！")
                       .arg(summary.waiting)
                 : QStringLiteral("没有需要入账的盘点差异！"));
        return;
    }
    const QString waiting =
        summary.waiting > 0
            ? QStringLiteral("另有 %1 项的账面已变，须重新录入实盘或确认，本次不入账。")
                  .arg(summary.waiting)
            : QString();
    const QString question =
        QStringLiteral(
            "将按盘点结果入账：盘盈 %1 项，盘亏 %2 项，盘盈金额 %3，盘亏金额 %4。%5确定吗？")
            .arg(summary.surplus)
            .arg(summary.shortage)
            .arg(moneyText(summary.surplusAmount), moneyText(summary.shortageAmount), waiting);
    if (!context.dialogs.message(question, QString(), Dialogs::Question,
                                 Dialogs::Buttons::OkCancel)) {
        return;
    }
    const Outcome<StocktakeOutcome> outcome =
        bookCount(context.folders, window.sheet, context.changes);
    if (toldTableFailure(context.dialogs, outcome.fault(), QStringLiteral("盘点入账失败！"))) {
        return;
    }
    switch (outcome.reason()) {
    case StocktakeOutcome::Booked: {
        // The counts that wait stay for the owner; the rest are booked.
        CountDraft rest = draftOf(window.sheet);
        std::erase_if(rest.counts, [&window](const CountDraft::Count &count) {
            return std::none_of(window.sheet.lines.cbegin(), window.sheet.lines.cend(),
                                [&count](const CountLine &line) {
                                    return line.model.id == count.model.id && line.waits();
                                });
        });
        loadSheet(context, rest);
        if (rest.counts.empty()) {
            discardCountDraft(context.folders);
        } else {
            keepDraft(context);
        }
        inform(context.dialogs, QStringLiteral("盘点入账完成！"));
        return;
    }
    case StocktakeOutcome::StockChanged:
        warn(context.dialogs, QStringLiteral("账面库存已变化，请重新盘点！"));
        reloadCountSheet(context);
        return;
    default:
        warn(context.dialogs, QStringLiteral("盘点入账失败！"));
        return;
    }
}

void discardCount(StocktakeContext &context)
{
    if (!context.dialogs.message(QStringLiteral("放弃本次盘点已录入的实盘数量吗？"), QString(),
                                 Dialogs::Question, Dialogs::Buttons::OkCancel)) {
        return;
    }
    discardCountDraft(context.folders);
    loadSheet(context, CountDraft());
}

void connectStocktakeWindow(const StocktakeContext &context, FormPreview &preview)
{
    StocktakeWindow &window = context.page;
    const auto on = [&](auto *sender, auto signal, auto handle) {
        QObject::connect(sender, signal, &window, slotOf(context, handle));
    };
    on(window.组合框盘点品类, &QComboBox::activated, reloadCountSheet);
    on(window.日期框盘点, &QDateEdit::dateChanged, reloadCountSheet);
    on(&window.rows(), &EditableListModel::entered, enterCount);
    on(window.按钮只看差异, &QPushButton::clicked, showOnlyDifferences);
    on(window.按钮盘点入账, &QPushButton::clicked, bookCountedDifferences);
    on(window.按钮放弃盘点, &QPushButton::clicked, discardCount);
    on(window.按钮打印盘点表, &QPushButton::clicked,
       [&preview](StocktakeContext &count) { printCountSheet(count, preview); });
}

} // namespace kucun
