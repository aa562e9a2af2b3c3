#include "Form.h"
#include "FormParts.h"
#include "Pages.h"
#include "ui/ListView.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kucun {

namespace {

const QStringList &reportColumns()
{
    static const QStringList columns = {QStringLiteral("序号"), QStringLiteral("品类"),
                                        QStringLiteral("名称"), QStringLiteral("型号"),
                                        QStringLiteral("库存"), QStringLiteral("单位"),
                                        QStringLiteral("备注")};
    return columns;
}

ListView *makeReportList(const QString &designerName, const QString &spokenName)
{
    ListView *list =
        makeList(designerName, spokenName, reportColumns(), {70, 140, 160, 180, 90, 70});
    list->setQuantityColumns({4});
    return list;
}

// The total, export, save and print row under a report list.
QHBoxLayout *buildReportFooter(QLabel *total, QPushButton *exportButton, QPushButton *saveButton,
                               QPushButton *printButton)
{
    auto *footer = new QHBoxLayout;
    addLabelled(footer, QStringLiteral("合计："), total);
    footer->addStretch(1);
    footer->addWidget(exportButton);
    footer->addWidget(saveButton);
    footer->addWidget(printButton);
    return footer;
}

QPushButton *makeSaveButton(const QString &designerName)
{
    return makeButton(designerName, QStringLiteral("另存为…"));
}

QWidget *buildTotalTab(Form &form)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    form.超级列表框总库存 =
        makeReportList(QStringLiteral("超级列表框总库存"), QStringLiteral("总库存列表"));
    layout->addWidget(form.超级列表框总库存, 1);
    form.标签合计库存 = makeValueLabel(QStringLiteral("标签合计库存"), QStringLiteral("0"));
    form.按钮导出总库存 = makeButton(QStringLiteral("按钮导出总库存"), QStringLiteral("导出表格"));
    form.按钮另存总库存 = makeSaveButton(QStringLiteral("按钮另存总库存"));
    form.按钮打印总表单 = makeButton(QStringLiteral("按钮打印总表单"), QStringLiteral("打印表单"));
    layout->addLayout(buildReportFooter(form.标签合计库存, form.按钮导出总库存, form.按钮另存总库存,
                                        form.按钮打印总表单));
    return tab;
}

QWidget *buildCategoryTab(Form &form)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *selectors = new QHBoxLayout;
    form.组合框1 = makeCombo(QStringLiteral("组合框1"), QStringLiteral("品类"));
    addLabelled(selectors, QStringLiteral("品类："), form.组合框1);
    form.组合框2 = makeCombo(QStringLiteral("组合框2"), QStringLiteral("名称"));
    addLabelled(selectors, QStringLiteral("名称："), form.组合框2);
    form.组合框3 = makeCombo(QStringLiteral("组合框3"), QStringLiteral("型号"));
    addLabelled(selectors, QStringLiteral("型号："), form.组合框3);
    selectors->addStretch(1);
    layout->addLayout(selectors);

    form.超级列表框类库存 =
        makeReportList(QStringLiteral("超级列表框类库存"), QStringLiteral("类库存列表"));
    layout->addWidget(form.超级列表框类库存, 1);
    form.标签合计库存2 = makeValueLabel(QStringLiteral("标签合计库存2"), QStringLiteral("0"));
    form.按钮导出类库存 = makeButton(QStringLiteral("按钮导出类库存"), QStringLiteral("导出表格"));
    form.按钮另存类库存 = makeSaveButton(QStringLiteral("按钮另存类库存"));
    form.按钮打印类表单 = makeButton(QStringLiteral("按钮打印类表单"), QStringLiteral("打印表单"));
    layout->addLayout(buildReportFooter(form.标签合计库存2, form.按钮导出类库存,
                                        form.按钮另存类库存, form.按钮打印类表单));
    return tab;
}

QWidget *buildMonthTab(Form &form)
{
    auto *tab = new QWidget;
    auto *layout = new QHBoxLayout(tab);
    form.月历1 = new QCalendarWidget;
    form.月历1->setGridVisible(true);
    form.月历1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    form.月历1->setMaximumWidth(300);
    nameControl(form.月历1, QStringLiteral("月历1"), QStringLiteral("报表月份"));
    auto *calendarColumn = new QVBoxLayout;
    calendarColumn->addWidget(new QLabel(QStringLiteral("选择月份：")));
    calendarColumn->addWidget(form.月历1);
    calendarColumn->addStretch(1);
    layout->addLayout(calendarColumn);

    auto *listColumn = new QVBoxLayout;
    form.超级列表框月库存 =
        makeReportList(QStringLiteral("超级列表框月库存"), QStringLiteral("月库存列表"));
    listColumn->addWidget(form.超级列表框月库存, 1);
    form.标签合计月库存 = makeValueLabel(QStringLiteral("标签合计月库存"), QStringLiteral("0"));
    form.按钮导出月库存 = makeButton(QStringLiteral("按钮导出月库存"), QStringLiteral("导出表格"));
    form.按钮另存月库存 = makeSaveButton(QStringLiteral("按钮另存月库存"));
    form.按钮打印月表单 = makeButton(QStringLiteral("按钮打印月表单"), QStringLiteral("打印表单"));
    listColumn->addLayout(buildReportFooter(form.标签合计月库存, form.按钮导出月库存,
                                            form.按钮另存月库存, form.按钮打印月表单));
    layout->addLayout(listColumn, 1);
    return tab;
}

QWidget *buildStockOnDayTab(Form &form)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *dayRow = new QHBoxLayout;
    form.日期框期末 = makeDateBox(QStringLiteral("日期框期末"), QStringLiteral("期末日期"));
    // The year-end books: the last day of the year before.
    form.日期框期末->setDate(QDate(QDate::currentDate().year() - 1, 12, 31));
    addLabelled(dayRow, QStringLiteral("日期："), form.日期框期末);
    dayRow->addStretch(1);
    layout->addLayout(dayRow);

    form.超级列表框期末库存 =
        makeReportList(QStringLiteral("超级列表框期末库存"), QStringLiteral("期末库存列表"));
    layout->addWidget(form.超级列表框期末库存, 1);
    form.标签合计期末库存 = makeValueLabel(QStringLiteral("标签合计期末库存"), QStringLiteral("0"));
    form.按钮导出期末库存 =
        makeButton(QStringLiteral("按钮导出期末库存"), QStringLiteral("导出表格"));
    form.按钮另存期末库存 = makeSaveButton(QStringLiteral("按钮另存期末库存"));
    form.按钮打印期末表单 =
        makeButton(QStringLiteral("按钮打印期末表单"), QStringLiteral("打印表单"));
    layout->addLayout(buildReportFooter(form.标签合计期末库存, form.按钮导出期末库存,
                                        form.按钮另存期末库存, form.按钮打印期末表单));
    return tab;
}

} // namespace

QWidget *buildReportPage(Form &form)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    form.报表选择夹 = new QTabWidget;
    nameControl(form.报表选择夹, QStringLiteral("报表选择夹"), QStringLiteral("报表"));
    form.报表选择夹->addTab(buildTotalTab(form), QStringLiteral("总库存"));
    form.报表选择夹->addTab(buildCategoryTab(form), QStringLiteral("类库存"));
    form.报表选择夹->addTab(buildMonthTab(form), QStringLiteral("月库存"));
    form.报表选择夹->addTab(buildStockOnDayTab(form), QStringLiteral("期末库存"));
    layout->addWidget(form.报表选择夹);
    return page;
}

} // namespace kucun
