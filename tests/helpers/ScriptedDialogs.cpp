#include "ScriptedDialogs.h"

namespace kucun::test {

bool ScriptedDialogs::message(const QString &text, const QString &caption, int icon, bool okCancel)
{
    m_shown.append({text, caption, icon, false, false, {}});
    const bool ok = m_messageAnswers.isEmpty() ? true : m_messageAnswers.dequeue();
    return okCancel ? ok : true;
}

std::optional<QString> ScriptedDialogs::input(const QString &prompt, const QString &caption,
                                              const QString &initialText, bool password)
{
    m_shown.append({prompt, caption, 0, true, password, initialText});
    return m_inputAnswers.isEmpty() ? std::nullopt : m_inputAnswers.dequeue();
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
