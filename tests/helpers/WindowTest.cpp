#include "WindowTest.h"

#include <QCoreApplication>

namespace kucun::test {

std::unique_ptr<MainWindow> startMainWindow(Dialogs &dialogs, const BookFolders &folders,
                                            const QString &exportDir)
{
    auto window = std::make_unique<MainWindow>(dialogs, folders, exportDir);
    QCoreApplication::processEvents();
    return window;
}

} // namespace kucun::test

#include "ui/ListView.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace kucun::test {

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

void pressKeys(QWidget *widget, const QString &keys, int gapMs)
{
    // The window system's clock, in milliseconds.
    static qint64 clock = 1000000;
    clock += 1000;
    for (const QChar key : keys) {
        const bool enter = key == u'\n';
        const int code = enter ? int(Qt::Key_Return) : int(key.toUpper().unicode());
        const QString text = enter ? QStringLiteral("\r") : QString(key);
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        press.setTimestamp(clock);
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
        release.setTimestamp(clock + gapMs / 2);
        QCoreApplication::sendEvent(widget, &release);
        clock += gapMs;
    }
}

namespace {

// Makes every tab page on the way to the widget the current one.
void bringToFront(QWidget *widget)
{
    for (QWidget *child = widget; child; child = child->parentWidget()) {
        QWidget *parent = child->parentWidget();
        if (!parent) {
            break;
        }
        if (auto *tabs = qobject_cast<QTabWidget *>(parent->parentWidget())) {
            const int index = tabs->indexOf(child);
            if (index >= 0 && tabs->currentIndex() != index) {
                tabs->setCurrentIndex(index);
            }
        }
    }
}

} // namespace

void clickButton(QWidget &window, const QString &name)
{
    auto *button = control<QPushButton>(window, name);
    bringToFront(button);
    QCoreApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickRow(ListView *list, int row, Qt::KeyboardModifiers modifiers)
{
    bringToFront(list);
    QCoreApplication::processEvents();
    list->ensureVisible(row);
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
}

QStringList rowTexts(const ListView *list, int row)
{
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells << list->cellText(row, column);
    }
    return cells;
}

QList<QStringList> allRows(const ListView *list)
{
    QList<QStringList> rows;
    for (int row = 0; row < list->rowCount(); ++row) {
        rows << rowTexts(list, row);
    }
    return rows;
}

void showWindow(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the window was not shown");
    }
}

} // namespace kucun::test
