#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kucun {

// Decodes stored UTF-8 texts into shared QStrings: a big table repeats a
// few thousand category, item, unit and date texts over a million records,
// and each distinct text is then decoded and held once.
class TextMemo
{
public:
    QString text(std::string_view utf8)
    {
        const auto found = m_texts.find(utf8);
        if (found != m_texts.end()) {
            return found->second;
        }
        if (m_texts.size() >= maximumTexts) {
            m_texts.clear(); // mostly distinct texts: keep memory bounded
        }
        QString decoded = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        m_texts.emplace(std::string(utf8), decoded);
        return decoded;
    }

    void clear() { m_texts.clear(); }

private:
    static constexpr size_t maximumTexts = 100000;

    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_texts;
};

} // namespace kucun
