#include "MainWindow.h"
#include "MemoryUse.h"
#include "Translations.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    kucun::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    kucun::installChineseTranslations(application);

    kucun::QtDialogs dialogs;
    kucun::MainWindow window(dialogs, QCoreApplication::applicationDirPath());
    dialogs.setParent(&window);
    window.show();
    return QApplication::exec();
}
