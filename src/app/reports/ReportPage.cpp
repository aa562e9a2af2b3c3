#include "ReportPage.h"

#include "Reports.h"
#include "app/FormParts.h"
#include "ui/ListView.h"
#include "ui/PageTabs.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <tuple>

namespace kucun {

ReportPage::ReportPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    报表选择夹 = new PageTabs;
    nameControl(报表选择夹, QStringLiteral("报表选择夹"), QStringLiteral("报表"));
    for (const ReportDescription &report : reportDescriptions()) {
        报表选择夹->addTab(buildTab(report), report.sheetName);
    }
    layout->addWidget(报表选择夹);
}

QWidget *ReportPage::buildTab(const ReportDescription &report)
{
    auto *tab = new QWidget;
    // The choices stand above the list, or beside it in a column of their own.
    QBoxLayout *layout = report.choicesBeside ? static_cast<QBoxLayout *>(new QHBoxLayout(tab))
                                              : new QVBoxLayout(tab);
    if (report.buildChoices) {
        layout->addLayout((this->*report.buildChoices)());
    }
    auto *listColumn = new QVBoxLayout;
    ListView *list = makeList(report.listName, report.sheetName + QStringLiteral("列表"),
                              QStringList{QStringLiteral("序号")} + report.columns.titles,
                              report.columns.widths);
    list->setQuantityColumns(report.columns.figures);
    this->*report.list = list;
    listColumn->addWidget(list, 1);

    // The total, export, save and print row under the list.
    auto *footer = new QHBoxLayout;
    QLabel *total = this->*report.total = makeValueLabel(report.totalName, QStringLiteral("0"));
    addLabelled(footer, QStringLiteral("合计："), total);
    footer->addStretch(1);
    for (const auto &[button, name, caption] :
         {std::tuple{report.exportButton, report.exportName, QStringLiteral("导出表格")},
          std::tuple{report.saveButton, report.saveName, QStringLiteral("另存为…")},
          std::tuple{report.printButton, report.printName, QStringLiteral("打印表单")}}) {
        footer->addWidget(this->*button = makeButton(name, caption));
    }
    listColumn->addLayout(footer);
    layout->addLayout(listColumn, 1);
    return tab;
}

QLayout *ReportPage::buildCategoryChoices()
{
    auto *selectors = new QHBoxLayout;
    组合框1 = makeCombo(QStringLiteral("组合框1"), QStringLiteral("品类"));
    addLabelled(selectors, QStringLiteral("品类："), 组合框1);
    组合框2 = makeCombo(QStringLiteral("组合框2"), QStringLiteral("名称"));
    addLabelled(selectors, QStringLiteral("名称："), 组合框2);
    组合框3 = makeCombo(QStringLiteral("组合框3"), QStringLiteral("型号"));
    addLabelled(selectors, QStringLiteral("型号："), 组合框3);
    selectors->addStretch(1);
    return selectors;
}

QLayout *ReportPage::buildMonthChoice()
{
    月历1 = new QCalendarWidget;
    月历1->setGridVisible(true);
    月历1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    月历1->setMaximumWidth(300);
    nameControl(月历1, QStringLiteral("月历1"), QStringLiteral("报表月份"));
    auto *calendarColumn = new QVBoxLayout;
    calendarColumn->addWidget(new QLabel(QStringLiteral("选择月份：")));
    calendarColumn->addWidget(月历1);
    calendarColumn->addStretch(1);
    return calendarColumn;
}

QLayout *ReportPage::buildDayChoice()
{
    auto *dayRow = new QHBoxLayout;
    日期框期末 = makeDateBox(QStringLiteral("日期框期末"), QStringLiteral("期末日期"));
    // The year-end books: the last day of the year before.
    日期框期末->setDate(QDate(QDate::currentDate().year() - 1, 12, 31));
    addLabelled(dayRow, QStringLiteral("日期："), 日期框期末);
    dayRow->addStretch(1);
    return dayRow;
}

QLayout *ReportPage::buildValueCategoryChoice()
{
    auto *row = new QHBoxLayout;
    组合框库存金额品类 =
        makeCombo(QStringLiteral("组合框库存金额品类"), QStringLiteral("库存金额品类"));
    组合框库存金额品类->addItem(QStringLiteral("全部"));
    addLabelled(row, QStringLiteral("品类："), 组合框库存金额品类);
    row->addStretch(1);
    return row;
}

QLayout *ReportPage::buildProfitMonthChoice()
{
    auto *row = new QHBoxLayout;
    日期框毛利 = makeDateBox(QStringLiteral("日期框毛利"), QStringLiteral("毛利月份"));
    日期框毛利->setDisplayFormat(QStringLiteral("yyyy年M月"));
    addLabelled(row, QStringLiteral("月份："), 日期框毛利);
    row->addStretch(1);
    return row;
}

} // namespace kucun
