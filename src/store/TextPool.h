#pragma once

#include <QHash>
#include <QString>

namespace kucun {

// Shares one copy of each distinct text while a big list loads: a million
// log rows repeat a few thousand category, item, unit and date texts.
class TextPool
{
public:
    QString intern(const QString &text)
    {
        const auto it = m_texts.constFind(text);
        if (it != m_texts.constEnd()) {
            return *it;
        }
        m_texts.insert(text, text);
        return text;
    }

private:
    QHash<QString, QString> m_texts;
};

} // namespace kucun
