#pragma once

#include <QWidget>

class QCalendarWidget;
class QComboBox;
class QDateEdit;
class QLabel;
class QLayout;
class QPushButton;
class QTabWidget;

namespace kucun {

template <typename Page> struct PageContext;
class FormPreview;
class ListView;
struct ModelRecord;
struct ReportDescription;

// Reports to rebuild when they are next shown.
struct OutdatedReports
{
    bool wholeStock = false;
    bool byCategory = false;
    bool monthly = false;
    // Start-up fills the first three; these are built when first shown.
    bool onDay = true;
    bool stockValue = true;
    bool grossProfit = true;
    bool reorder = true;
};

// The page "库存报表": whole-stock, per-category, monthly, past-day,
// stock-value, gross-profit and reorder lists, each on a tab of its own built from its description.
// It holds the controls and which reports are out of date; the handlers fill them.
class ReportPage : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPage(QWidget *parent = nullptr);

    // The controls that choose what a report shows, for its tab's builder.
    QLayout *buildCategoryChoices();
    QLayout *buildMonthChoice();
    QLayout *buildDayChoice();
    QLayout *buildValueCategoryChoice();
    QLayout *buildProfitMonthChoice();

    QTabWidget *报表选择夹 = nullptr;
    ListView *超级列表框总库存 = nullptr;
    QLabel *标签合计库存 = nullptr;
    QPushButton *按钮导出总库存 = nullptr;
    QPushButton *按钮另存总库存 = nullptr;
    QPushButton *按钮打印总表单 = nullptr;
    QComboBox *组合框1 = nullptr;
    QComboBox *组合框2 = nullptr;
    QComboBox *组合框3 = nullptr;
    ListView *超级列表框类库存 = nullptr;
    QLabel *标签合计库存2 = nullptr;
    QPushButton *按钮导出类库存 = nullptr;
    QPushButton *按钮另存类库存 = nullptr;
    QPushButton *按钮打印类表单 = nullptr;
    QCalendarWidget *月历1 = nullptr;
    ListView *超级列表框月库存 = nullptr;
    QLabel *标签合计月库存 = nullptr;
    QPushButton *按钮导出月库存 = nullptr;
    QPushButton *按钮另存月库存 = nullptr;
    QPushButton *按钮打印月表单 = nullptr;
    QDateEdit *日期框期末 = nullptr;
    ListView *超级列表框期末库存 = nullptr;
    QLabel *标签合计期末库存 = nullptr;
    QPushButton *按钮导出期末库存 = nullptr;
    QPushButton *按钮另存期末库存 = nullptr;
    QPushButton *按钮打印期末表单 = nullptr;
    QComboBox *组合框库存金额品类 = nullptr;
    ListView *超级列表框库存金额 = nullptr;
    QLabel *标签合计库存金额 = nullptr;
    QPushButton *按钮导出库存金额 = nullptr;
    QPushButton *按钮另存库存金额 = nullptr;
    QPushButton *按钮打印库存金额表单 = nullptr;
    QDateEdit *日期框毛利 = nullptr;
    ListView *超级列表框毛利 = nullptr;
    QLabel *标签合计毛利 = nullptr;
    QPushButton *按钮导出毛利 = nullptr;
    QPushButton *按钮另存毛利 = nullptr;
    QPushButton *按钮打印毛利表单 = nullptr;
    ListView *超级列表框补货 = nullptr;
    QLabel *标签合计补货 = nullptr;
    QPushButton *按钮导出补货 = nullptr;
    QPushButton *按钮另存补货 = nullptr;
    QPushButton *按钮打印补货表单 = nullptr;

    // The reports whose data changed while they were hidden.
    OutdatedReports outdated;
    // True while the page is the one the window shows.
    bool onScreen = false;

signals:
    // The ledger of this model is asked for.
    void ledgerWanted(const kucun::ModelRecord &model);

private:
    QWidget *buildTab(const ReportDescription &report);
};

using ReportContext = PageContext<ReportPage>;

// Connects the page's controls to their handlers; the print buttons show
// their forms in the preview.
void connectReportPage(const ReportContext &context, FormPreview &preview);

} // namespace kucun
