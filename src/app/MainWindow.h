#pragma once

#include "AppContext.h"
#include "AppState.h"
#include "Form.h"
#include "book/ChangeNotifier.h"

#include <QMainWindow>

namespace kucun {

class Dialogs;

// The one window of the program. It lays out the form, wires each control's
// signal to its handler and runs the start-up once the window exists; the
// handlers themselves live in their subsystems.
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
    void buildForm();
    // At most the screen's free area; maximised on a screen smaller than the window wants.
    void fitScreen();
    void connectHandlers();
    // Each change the stock book announces reloads the views that show it.
    void connectReloads();
    // Wraps a handler taking the context (and the signal's arguments) as a slot.
    template <typename Handler> auto handler(Handler &&handle);
    void runStartUp();

    Form m_form;
    AppState m_state;
    ChangeNotifier m_changes;
    AppContext m_context;
    bool m_started = false;
};

} // namespace kucun
