#pragma once

#include "ReportPage.h"

#include <QString>
#include <array>

namespace kucun {

struct ShownTable;

// The four report lists of the report page, in the order of the tabs of
// 报表选择夹.
enum class Report
{
    WholeStock, // 超级列表框总库存
    ByCategory, // 超级列表框类库存
    Monthly,    // 超级列表框月库存
    OnDay,      // 超级列表框期末库存
};

// A report list as the window knows it: how its tab is built, its list,
// its total label and its three buttons, the titles of its export and of
// its printed form, the name of its saved sheet, and how it is rebuilt when
// it is shown out of date. The page's builder, export, save, print, sort and
// refresh all go by it.
struct ReportDescription
{
    Report report;
    // The report's name: its tab, the sheet of a saved workbook and the
    // start of the proposed file name.
    QString sheetName;
    // The controls that choose what the report shows, above its list or
    // beside it; none for the whole stock.
    QLayout *(ReportPage::*buildChoices)();
    bool choicesBeside;
    // The object names of the list, the total label and the three buttons.
    QString listName;
    QString totalName;
    QString exportName;
    QString saveName;
    QString printName;
    ListView *ReportPage::*list;
    QLabel *ReportPage::*total;
    QPushButton *ReportPage::*exportButton;
    QPushButton *ReportPage::*saveButton;
    QPushButton *ReportPage::*printButton;
    // The title row of the exported file, as the page's controls choose it.
    QString (*exportTitle)(const ReportPage &page);
    // The day or month the report shows, as the proposed file name ends:
    // 2025-12-31, 2026-11.
    QString (*fileDay)(const ReportPage &page);
    // The title of the printed form, as the page's controls choose it.
    QString (*formTitle)(const ReportPage &page);
    // Marks the report among those to rebuild when next shown.
    bool OutdatedReports::*outdated;
    void (*rebuild)(ReportContext &context);
};

// Every report list, in the order of the tabs.
const std::array<ReportDescription, 4> &reportDescriptions();
const ReportDescription &describe(Report report);

// Every cell as the list shows it, with its column titles, rows in the order
// shown.
ShownTable shownTable(const ListView &list);

} // namespace kucun
