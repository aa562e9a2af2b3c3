#pragma once

#include "ScriptedDialogs.h"
#include "TestTables.h"
#include "app/MainWindow.h"

#include <QWidget>
#include <memory>

namespace kucun {
class Dialogs;
}

namespace kucun::test {

// Builds the real main window and lets its start-up run; exports go to
// exportDir, or with none to the program's folder.
std::unique_ptr<MainWindow> startMainWindow(Dialogs &dialogs, const BookFolders &folders,
                                            const QString &exportDir = QString());

// The named control of a window; fails the test when it is missing.
template <typename T> T *control(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

} // namespace kucun::test

class QLineEdit;

namespace kucun {
class ListView;
}

namespace kucun::test {

// Types text into an edit box as an input method commits it (works for
// Chinese and full-width text), replacing what was there.
void typeInto(QLineEdit *edit, const QString &text);

// Keys as the window system delivers them to a widget, each press and its
// release stamped with the time, the presses gapMs apart after a pause: a
// person types some 100 ms apart, a scanner 5. '\n' is Enter.
void pressKeys(QWidget *widget, const QString &keys, int gapMs);
// A code scanned with the focus on the widget: its keys and Enter, as fast as a scanner types.
inline void scanCode(QWidget *widget, const QString &code)
{
    pressKeys(widget, code + u'\n', 5);
}

// Brings up the page holding the button and clicks it with the mouse.
void clickButton(QWidget &window, const QString &name);

// Clicks a row of a list with the mouse; with Ctrl to add it to a selection.
void clickRow(ListView *list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The cell texts of one row, and of every row.
QStringList rowTexts(const ListView *list, int row);
QList<QStringList> allRows(const ListView *list);

// Shows the window and waits until it can take mouse clicks.
void showWindow(QWidget &window);

} // namespace kucun::test

namespace kucun::test {

// The real main window started on test table files, as a test drives it.
struct ShopWindow
{
    TestTables files;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    // Where exports go, as in an installed program; none for the program's folder.
    QString exportDir;

    // Starts the window on the files and shows it.
    void start()
    {
        window = startMainWindow(dialogs, files.folders(), exportDir);
        showWindow(*window);
    }
    // A named control of the window.
    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
};

} // namespace kucun::test
