#include "QtDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpinBox>
#include <algorithm>

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

// "xlsx" of "Excel 工作簿 (*.xlsx)".
QString filterSuffix(const QString &filter)
{
    const qsizetype from = filter.lastIndexOf(QStringLiteral("*."));
    const qsizetype to = filter.lastIndexOf(u')');
    return from < 0 || to < from ? QString() : filter.mid(from + 2, to - from - 2);
}

} // namespace

QString QtDialogs::captionOr(const QString &caption) const
{
    // A box without a caption of its own carries the window's title.
    return caption.isEmpty() && m_parent ? m_parent->window()->windowTitle() : caption;
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
    return dialog.exec() == QDialog::Accepted ? std::optional(dialog.textValue()) : std::nullopt;
}

std::optional<QString> QtDialogs::chooseFolder(const QString &caption, const QString &startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, caption, startFolder);
    return folder.isEmpty() ? std::nullopt : std::optional(folder);
}

std::optional<Dialogs::SaveChoice> QtDialogs::chooseSaveFile(const QString &caption,
                                                             const QString &startFolder,
                                                             const QString &proposedName,
                                                             const QStringList &types)
{
    QFileDialog dialog(m_parent, captionOr(caption), QDir(startFolder).filePath(proposedName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(types);
    // A name typed without an ending gets the chosen type's before the
    // dialog asks about replacing a file of that name.
    dialog.setDefaultSuffix(filterSuffix(types.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString &filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return SaveChoice{dialog.selectedFiles().constFirst(),
                      int(std::max<qsizetype>(0, types.indexOf(dialog.selectedNameFilter())))};
}

std::optional<Dialogs::CountChoice>
QtDialogs::chooseCountAndOption(const QString &caption, const QString &countPrompt, int most,
                                const QString &optionPrompt, const QStringList &options)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(captionOr(caption));
    auto *layout = new QFormLayout(&dialog);
    auto *count = new QSpinBox;
    count->setRange(1, most);
    count->setValue(1);
    auto *option = new QComboBox;
    option->addItems(options);
    layout->addRow(countPrompt, count);
    layout->addRow(optionPrompt, option);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return CountChoice{count->value(), std::max(0, option->currentIndex())};
}

} // namespace kucun
