#include "MainWindow.h"

#include "FormParts.h"
#include "Pages.h"
#include "StartUp.h"

#include <QPushButton>
#include <QTabWidget>

namespace kucun {

MainWindow::MainWindow(Dialogs &dialogs, const QString &programDir, QWidget *parent)
    : QMainWindow(parent), m_context{m_form, m_state, dialogs, programDir}
{
    setWindowTitle(QStringLiteral("库存管理系统"));
    buildForm();
    connectHandlers();
    resize(1200, 680);
    // Start-up runs once the window has been created and the event loop runs.
    QMetaObject::invokeMethod(this, &MainWindow::runStartUp, Qt::QueuedConnection);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildForm()
{
    m_form.高级选择夹1 = new QTabWidget;
    nameControl(m_form.高级选择夹1, QStringLiteral("高级选择夹1"), QStringLiteral("功能页"));
    m_form.高级选择夹1->addTab(buildBookingPage(m_form), QStringLiteral("进销库存"));
    m_form.高级选择夹1->addTab(buildLogPage(m_form), QStringLiteral("日志查询"));
    m_form.高级选择夹1->addTab(buildReportPage(m_form), QStringLiteral("库存报表"));
    m_form.高级选择夹1->addTab(buildMaintenancePage(m_form), QStringLiteral("项目设置"));
    setCentralWidget(m_form.高级选择夹1);
}

void MainWindow::connectHandlers()
{
    Form &form = m_form;
    connect(form.高级选择夹1, &QTabWidget::currentChanged, this, [&form](int page) {
        if (page == 3) {
            form.按钮出厂->setVisible(true);
        }
    });
}

void MainWindow::runStartUp()
{
    if (m_started) {
        return;
    }
    m_started = true;
    startUp(*this, m_context);
}

} // namespace kucun
