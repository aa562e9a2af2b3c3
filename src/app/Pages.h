#pragma once

class QWidget;

namespace kucun {

struct Form;

// Each builds one page of the main window's tab control and records its
// named controls in the form.
QWidget *buildBookingPage(Form &form);
QWidget *buildLogPage(Form &form);
QWidget *buildReportPage(Form &form);
QWidget *buildMaintenancePage(Form &form);

} // namespace kucun
