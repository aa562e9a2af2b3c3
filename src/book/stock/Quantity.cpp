#include "Quantity.h"

#include "book/ValueText.h"

#include <limits>

namespace kucun {

namespace {

// Reads an optional sign and the digits after it; `digits` receives them.
bool readSignedDigits(const QString &text, qsizetype &pos, QString &digits)
{
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        digits += text[pos++];
    }
    return negative;
}

} // namespace

QString normalizedNumberText(const QString &text)
{
    QString normal = withoutSurroundingSpaces(text);
    for (QChar &c : normal) {
        // Full-width forms (U+FF01..U+FF5E) map onto ASCII 0x21..0x7E.
        const char16_t code = c.unicode();
        if (code >= u'０' && code <= u'９') {
            c = QChar(u'0' + (code - u'０'));
        } else if (code == u'．' || code == u'－' || code == u'＋') {
            c = QChar(code - 0xFEE0);
        }
    }
    return normal;
}

qint64 leadingInteger(const QString &text)
{
    const QString normal = normalizedNumberText(text);
    qsizetype pos = 0;
    QString digits;
    const bool negative = readSignedDigits(normal, pos, digits);
    if (digits.isEmpty()) {
        return 0;
    }
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok) {
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    }
    return negative ? -value : value;
}

double leadingNumber(const QString &text)
{
    const QString normal = normalizedNumberText(text);
    qsizetype pos = 0;
    QString digits;
    const bool negative = readSignedDigits(normal, pos, digits);
    if (pos < normal.size() && normal[pos] == u'.') {
        digits += u'.';
        ++pos;
        while (pos < normal.size() && normal[pos] >= u'0' && normal[pos] <= u'9') {
            digits += normal[pos++];
        }
    }
    const double value = digits.toDouble();
    return negative ? -value : value;
}

bool isPlainNumber(const QString &text)
{
    const QString normal = normalizedNumberText(text);
    qsizetype digits = 0;
    qsizetype points = 0;
    for (const QChar c : normal) {
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && digits > 0 && points == 0) {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool isBookableQuantity(qint64 quantity)
{
    return quantity >= 1 && quantity <= largestQuantity;
}

std::optional<qint32> bookableQuantity(const QString &text)
{
    if (!isPlainNumber(text)) {
        return std::nullopt;
    }
    const qint64 value = leadingInteger(text);
    if (!isBookableQuantity(value)) {
        return std::nullopt;
    }
    return qint32(value);
}

} // namespace kucun
