#include "book/reports/CategoryReport.h"

#include "Reports.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "app/catalogue/ModelLists.h"
#include "book/ValueText.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QComboBox>
#include <QLabel>
#include <tuple>

namespace kucun {

namespace {

// A selector without a chosen entry stands for the empty text.
QString chosenText(const QComboBox &selector)
{
    return selector.currentIndex() < 0 ? QString() : selector.currentText();
}

void offerChoices(QComboBox &selector, const QStringList &choices)
{
    selector.addItems(choices);
    // Nothing is chosen until the user chooses.
    selector.setCurrentIndex(-1);
}

} // namespace

void runCategoryQuery(ReportContext &context, int level)
{
    ReportPage &page = context.page;
    page.超级列表框类库存->list().clear();
    page.标签合计库存2->setText(QStringLiteral("0"));
    if (level == 1) {
        page.组合框2->clear();
    }
    if (level <= 2) {
        page.组合框3->clear();
    }
    if (page.组合框1->currentIndex() < 0) {
        return;
    }

    const ReadResult<CategoryReport> report = queryCategoryReport(
        context.folders,
        {level, chosenText(*page.组合框1), chosenText(*page.组合框2), chosenText(*page.组合框3)});
    if (!report) {
        reportTableFailure(context.dialogs, report.fault(), QString());
        return;
    }
    const ReadResult<Minimums> minimums =
        readMinimumsOf(context.folders, chosenText(*page.组合框1),
                       level >= 2 ? std::optional(chosenText(*page.组合框2)) : std::nullopt);
    std::vector<ListRow> rows;
    rows.reserve(report->models.size());
    ValueTexts texts;
    double total = 0;
    for (const ModelRecord &model : report->models) {
        rows.push_back(stockReportRow(model, texts));
        rows.back().belowMinimum = minimums && isBelowMinimum(model, *minimums);
        total += model.stock;
    }
    page.超级列表框类库存->list().setRows(std::move(rows));
    page.标签合计库存2->setText(totalText(total));
    if (level == 1) {
        offerChoices(*page.组合框2, report->nextChoices);
    } else if (level == 2) {
        offerChoices(*page.组合框3, report->nextChoices);
    }
}

void refreshCategoryReport(ReportContext &context)
{
    // The choices are made again, one level after another, so each selector
    // offers what the tables hold now; a choice that is gone ends there.
    ReportPage &page = context.page;
    const auto choiceOf = [](const QComboBox *selector) {
        return selector->currentIndex() < 0 ? std::nullopt
                                            : std::optional<QString>(selector->currentText());
    };
    const std::optional<QString> item = choiceOf(page.组合框2);
    const std::optional<QString> model = choiceOf(page.组合框3);
    runCategoryQuery(context, 1);
    for (const auto &[level, selector, choice] :
         {std::tuple{2, page.组合框2, item}, std::tuple{3, page.组合框3, model}}) {
        const int index =
            choice ? selector->findText(*choice, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
        if (index < 0) {
            return;
        }
        selector->setCurrentIndex(index);
        runCategoryQuery(context, level);
    }
}

void offerCategories(ReportContext &context)
{
    QComboBox &categories = *context.page.组合框1;
    const std::optional<QString> chosen =
        categories.currentIndex() < 0 ? std::nullopt : std::optional(categories.currentText());
    categories.clear();
    categories.addItems(context.state.categories);
    categories.setCurrentIndex(
        chosen ? categories.findText(*chosen, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1);
}

} // namespace kucun
