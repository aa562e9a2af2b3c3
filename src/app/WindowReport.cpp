#include "WindowReport.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <utility>

namespace kucun {

void reportWindowsThenQuit()
{
    QStringList lines;
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        const QString icon =
            window->windowIcon().isNull() ? QStringLiteral("no icon") : QStringLiteral("icon");
        if (const auto *box = qobject_cast<const QMessageBox *>(window)) {
            lines
                << QStringLiteral("message\t%1\t%2\t%3").arg(box->windowTitle(), box->text(), icon);
        } else if (qobject_cast<const QMainWindow *>(window)) {
            lines << QStringLiteral("window\t%1\t%2").arg(window->windowTitle(), icon);
        }
    }
    lines.sort();
    for (const QString &line : std::as_const(lines)) {
        std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    }
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace kucun
