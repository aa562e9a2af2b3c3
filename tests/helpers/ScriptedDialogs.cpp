#include "ScriptedDialogs.h"

#include <QDir>

namespace kucun::test {

bool ScriptedDialogs::message(const QString &text, const QString &caption, Icon icon,
                              Buttons buttons)
{
    m_shown.append({text, caption, icon, false, false, {}, {}});
    // A box with only OK has nothing to answer.
    if (buttons == Buttons::Ok || m_messageAnswers.isEmpty()) {
        return true;
    }
    return m_messageAnswers.dequeue();
}

std::optional<QString> ScriptedDialogs::input(const QString &prompt, const QString &caption,
                                              const QString &initialText, bool password)
{
    m_shown.append({prompt, caption, NoIcon, true, password, initialText, {}});
    return m_inputAnswers.isEmpty() ? std::nullopt : m_inputAnswers.dequeue();
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString &caption,
                                                     const QString &startFolder)
{
    m_shown.append({caption, {}, NoIcon, true, false, startFolder, {}});
    return m_folderAnswers.isEmpty() ? std::nullopt : m_folderAnswers.dequeue();
}

std::optional<Dialogs::SaveChoice> ScriptedDialogs::chooseSaveFile(const QString &caption,
                                                                   const QString &startFolder,
                                                                   const QString &proposedName,
                                                                   const QStringList &types)
{
    m_shown.append(
        {caption, {}, NoIcon, true, false, QDir(startFolder).filePath(proposedName), types});
    return m_saveAnswers.isEmpty() ? std::nullopt : m_saveAnswers.dequeue();
}

std::optional<Dialogs::CountChoice>
ScriptedDialogs::chooseCountAndOption(const QString &caption, const QString &, int, const QString &,
                                      const QStringList &options)
{
    m_shown.append({caption, {}, NoIcon, true, false, {}, options});
    return m_countAnswers.isEmpty() ? std::nullopt : m_countAnswers.dequeue();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList texts;
    for (const ShownBox &box : m_shown) {
        texts << box.text;
    }
    return texts;
}

} // namespace kucun::test
