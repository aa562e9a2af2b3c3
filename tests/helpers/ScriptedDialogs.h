#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace kucun::test {

// A box the program showed, as the user saw it.
struct ShownBox
{
    QString text;
    QString caption;
    Dialogs::Icon icon = Dialogs::NoIcon;
    bool isInput = false;
    bool password = false;
    QString initialText;
    // The types a save dialog offered.
    QStringList types;
};

// Dialogs that record every box and answer from queues. Message boxes with
// no queued answer are confirmed with OK; an input box with no queued
// answer is cancelled.
class ScriptedDialogs : public Dialogs
{
public:
    bool message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;
    std::optional<QString> input(const QString &prompt, const QString &caption,
                                 const QString &initialText, bool password) override;

    std::optional<QString> chooseFolder(const QString &caption,
                                        const QString &startFolder) override;
    void answerFolder(const std::optional<QString> &folder) { m_folderAnswers.enqueue(folder); }
    // A save dialog shows as an input box whose text is its caption and
    // whose initial text is the proposed file in the start folder; with no
    // queued answer it is cancelled.
    std::optional<SaveChoice> chooseSaveFile(const QString &caption, const QString &startFolder,
                                             const QString &proposedName,
                                             const QStringList &types) override;
    void answerSaveFile(const std::optional<SaveChoice> &choice) { m_saveAnswers.enqueue(choice); }
    // A count-and-option dialog shows as an input box whose text is its
    // caption and whose types are its options; with no queued answer it is
    // cancelled.
    std::optional<CountChoice> chooseCountAndOption(const QString &caption,
                                                    const QString &countPrompt, int most,
                                                    const QString &optionPrompt,
                                                    const QStringList &options) override;
    void answerCountAndOption(const std::optional<CountChoice> &choice)
    {
        m_countAnswers.enqueue(choice);
    }
    void answerMessage(bool ok) { m_messageAnswers.enqueue(ok); }
    void answerInput(const std::optional<QString> &text) { m_inputAnswers.enqueue(text); }

    const QList<ShownBox> &shown() const { return m_shown; }
    // The texts of the boxes shown so far.
    QStringList texts() const;
    void forget() { m_shown.clear(); }

private:
    QList<ShownBox> m_shown;
    QQueue<bool> m_messageAnswers;
    QQueue<std::optional<QString>> m_inputAnswers;
    QQueue<std::optional<QString>> m_folderAnswers;
    QQueue<std::optional<SaveChoice>> m_saveAnswers;
    QQueue<std::optional<CountChoice>> m_countAnswers;
};

} // namespace kucun::test
