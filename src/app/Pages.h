#pragma once

class QWidget;

namespace kucun {

struct BookFolders;
struct Form;

// Each builds one page of the main window's tab control and records its
// named controls in the form; the log lists read the book in these folders.
QWidget *buildBookingPage(Form &form, const BookFolders &folders);
QWidget *buildLogPage(Form &form, const BookFolders &folders);
QWidget *buildReportPage(Form &form);
QWidget *buildMaintenancePage(Form &form);

// Sets the order Tab takes through the booking page: the category menu, the
// model list, 入库数量, 入库, 出库数量, 出库, 备注, 日期, the day log. Runs
// whenever the menu's groups are rebuilt.
void orderBookingFocus(const Form &form);

} // namespace kucun
