#pragma once

#include "Dialogs.h"

#include <QString>

class QWidget;

namespace kucun {

// Dialogs shown as modal QMessageBox and QInputDialog windows.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;
    std::optional<QString> chooseFolder(const QString &caption,
                                        const QString &startFolder) override;
    std::optional<SaveChoice> chooseSaveFile(const QString &caption, const QString &startFolder,
                                             const QString &proposedName,
                                             const QStringList &types) override;
    std::optional<QString> input(const QString &prompt, const QString &caption,
                                 const QString &initialText, bool password) override;
    std::optional<CountChoice> chooseCountAndOption(const QString &caption,
                                                    const QString &countPrompt, int most,
                                                    const QString &optionPrompt,
                                                    const QStringList &options) override;

private:
    QString captionOr(const QString &caption) const;

    QWidget *m_parent = nullptr;
};

} // namespace kucun
