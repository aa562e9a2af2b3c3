#pragma once

#include "AppContext.h"
#include "AppState.h"
#include "Form.h"

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
    MainWindow(Dialogs &dialogs, const QString &programDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    const AppState &state() const { return m_state; }
    bool hasStarted() const { return m_started; }

private:
    void buildForm();
    void connectHandlers();
    // Wraps a handler taking the context (and the signal's arguments) as a slot.
    template <typename Handler> auto handler(Handler &&handle);
    void runStartUp();

    Form m_form;
    AppState m_state;
    AppContext m_context;
    bool m_started = false;
};

} // namespace kucun
