#pragma once

#include "book/forms/PrintTable.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace kucun {

// The window's printable table and its print preview. Showing a form goes
// through one replaceable function, so that tests can take the laid-out
// form instead of a preview window.
class FormPreview : public QObject
{
    Q_OBJECT

public:
    using Opener = std::function<void(const PrintTable &)>;

    // The preview windows belong to the given window.
    explicit FormPreview(QWidget *window);
    ~FormPreview() override;

    // Shows the form through the opener.
    void show(const PrintTable &form) { m_opener(form); }
    // Replaces the opener; the default one is openPreview.
    void setOpener(Opener opener) { m_opener = std::move(opener); }

    // Opens Qt's print preview of the form, without blocking the window. A
    // preview already open shows the new form and comes to the front
    // instead of a second one opening.
    void openPreview(const PrintTable &form);

private:
    QWidget *m_window;
    Opener m_opener;
    std::unique_ptr<PrintTable> m_form;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QPrintPreviewDialog> m_dialog;
};

} // namespace kucun
