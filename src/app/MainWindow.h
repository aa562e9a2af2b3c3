#pragma once

#include "AppContext.h"
#include "AppState.h"
#include "book/ChangeNotifier.h"

#include <QMainWindow>

class QTabWidget;

namespace kucun {

class BookingPage;
class Dialogs;
class LedgerWindow;
class LogPage;
class MaintenancePage;
class ReportPage;
class StocktakeWindow;

// The one window of the program. It builds the pages, has each wire its
// controls to their handlers, reloads the views on the stock book's changes
// and runs the start-up once the window exists; the pages and their
// handlers live in their subsystems.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Exports go to exportDir; with none given, to the program's folder, as
    // a portable copy keeps them.
    MainWindow(Dialogs &dialogs, const BookFolders &folders, const QString &exportDir = QString(),
               QWidget *parent = nullptr);
    ~MainWindow() override;

    const AppState &state() const { return m_state; }

private:
    void buildPages();
    // At most the screen's free area; maximised on a screen smaller than the window wants.
    void fitScreen();
    // What one page asks of another.
    void connectPages();
    // Each change the stock book announces reloads the views that show it.
    void connectReloads();
    // The catalogue read again into both menus and the category lists.
    void reloadCatalogue();
    // A page of 高级选择夹1 was chosen. The password guard asks first: a
    // refused page gives way to "进销库存" before its contents ever show; an
    // allowed page shows its contents, brought up to date.
    void onPageChosen(int page);
    // Brings up 项目设置 (through its password guard) with the keyboard in
    // the category box, where goods are added.
    void goToMaintenance();
    void runStartUp();
    template <typename Page> PageContext<Page> contextOf(Page &page) { return {m_shared, page}; }

    AppState m_state;
    ChangeNotifier m_changes;
    AppContext m_shared;
    QTabWidget *m_pages = nullptr;
    BookingPage *m_booking = nullptr;
    LogPage *m_log = nullptr;
    ReportPage *m_reports = nullptr;
    MaintenancePage *m_maintenance = nullptr;
    LedgerWindow *m_ledger = nullptr;
    StocktakeWindow *m_stocktake = nullptr;
    bool m_started = false;
};

} // namespace kucun
