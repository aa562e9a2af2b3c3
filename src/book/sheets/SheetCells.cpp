#include "SheetCells.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace kucun {

namespace {

// The East Asian wide and full-width ranges: Hangul jamo, CJK radicals to
// Yi, Hangul syllables, CJK compatibility, full-width forms, the CJK
// extensions and the emoji a shop types into a remark.
bool isWide(char32_t code)
{
    static constexpr std::array<std::pair<char32_t, char32_t>, 13> ranges{{
        {0x1100, 0x115F},
        {0x2E80, 0x303E},
        {0x3041, 0x33FF},
        {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF},
        {0xAC00, 0xD7A3},
        {0xF900, 0xFAFF},
        {0xFE30, 0xFE4F},
        {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6},
        {0x1F300, 0x1FAFF},
        {0x20000, 0x3FFFD},
    }};
    for (const auto &[first, last] : ranges) {
        if (code >= first && code <= last) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<double> quantityValue(const QString &text)
{
    static const QRegularExpression figure(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]+(\\.[0-9]+)?")));
    return figure.match(text).hasMatch() ? std::optional(text.toDouble()) : std::nullopt;
}

int shownDecimals(const QString &text)
{
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : int(text.size() - point - 1);
}

int textColumns(const QString &text)
{
    int columns = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        columns += isWide(code) ? 2 : 1;
    }
    return columns;
}

} // namespace kucun
