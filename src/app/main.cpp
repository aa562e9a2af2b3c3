#include "Application.h"
#include "DataFolder.h"
#include "MainWindow.h"
#include "MemoryUse.h"
#include "Translations.h"
#include "WindowReport.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    kucun::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    kucun::identifyApplication();
    kucun::installChineseTranslations(application);

    kucun::QtDialogs dialogs;
    const std::optional<kucun::DataLocation> location =
        kucun::openDataFolder(dialogs, QApplication::arguments());
    if (!location) {
        return 1;
    }
    kucun::MainWindow window(dialogs, location->folders, location->exportDir);
    dialogs.setParent(&window);
    if (!location->serverLogin.isEmpty()) {
        window.setWindowTitle(QStringLiteral("库存管理系统 — 服务器 ") + location->serverLogin);
    }
    window.show();
    if (qEnvironmentVariableIsSet("KUCUN_REPORT_WINDOWS")) {
        // Posted after the start-up the window has queued, so it runs after it.
        QMetaObject::invokeMethod(&application, &kucun::reportWindowsThenQuit,
                                  Qt::QueuedConnection);
    }
    return QApplication::exec();
}
