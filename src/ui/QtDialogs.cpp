#include "QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kucun {

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Error:
        return QMessageBox::Critical;
    case Dialogs::Question:
        return QMessageBox::Question;
    case Dialogs::Warning:
        return QMessageBox::Warning;
    case Dialogs::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QString QtDialogs::captionOr(const QString &caption) const
{
    // A box without a caption of its own carries the window's title.
    if (caption.isEmpty() && m_parent) {
        return m_parent->window()->windowTitle();
    }
    return caption;
}

bool QtDialogs::message(const QString &text, const QString &caption, Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), captionOr(caption), text,
                    buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                 : QMessageBox::Ok,
                    m_parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &caption,
                                        const QString &initialText, bool password)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(captionOr(caption));
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setInputMethodHints(password ? Qt::ImhHiddenText | Qt::ImhSensitiveData : Qt::ImhNone);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

std::optional<QString> QtDialogs::chooseFolder(const QString &caption, const QString &startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, caption, startFolder);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

} // namespace kucun
