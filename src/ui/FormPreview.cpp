#include "FormPreview.h"

#include "FormPrinter.h"
#include "ScreenFit.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

namespace kucun {

FormPreview::FormPreview(QWidget *window)
    : QObject(window), m_window(window),
      m_opener([this](const PrintTable &form) { openPreview(form); })
{
}

FormPreview::~FormPreview()
{
    delete m_dialog;
}

void FormPreview::openPreview(const PrintTable &form)
{
    m_form = std::make_unique<PrintTable>(form);
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    setUpPrinter(*m_form, *m_printer);
    if (m_dialog) {
        if (auto *pages = m_dialog->findChild<QPrintPreviewWidget *>()) {
            pages->updatePreview();
        }
    } else {
        m_dialog = new QPrintPreviewDialog(m_printer.get(), m_window);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        // Its preferred size where the screen has room, never past its edges.
        fitToScreen(*m_dialog, QSize(900, 1000), *m_window->screen());
        connect(m_dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
            if (m_form) {
                printTable(*m_form, *printer);
            }
        });
        m_dialog->show();
    }
    m_dialog->raise();
    m_dialog->activateWindow();
}

} // namespace kucun
