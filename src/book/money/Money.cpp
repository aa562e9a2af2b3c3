#include "Money.h"

#include "book/ValueText.h"

#include <cmath>
#include <iterator>

namespace kucun {

Fen fenOf(double yuan)
{
    // A nudge far below half a 分, far above the error of a product of two
    // decimals, so that a half 分 stored a hair low still rounds up.
    const double cents = yuan * 100.0;
    return static_cast<Fen>(std::llround(cents + std::copysign(1e-6, cents)));
}

Fen amountOf(double quantity, double unitPrice)
{
    return fenOf(quantity * unitPrice);
}

double yuanOf(Fen amount)
{
    return static_cast<double>(amount) / 100.0;
}

QString moneyText(Fen amount)
{
    if (amount == 0) {
        // Shared, not allocated: many cells of a money list are nothing.
        return QStringLiteral("0.00");
    }
    // Written digit by digit from the end: the money lists show thousands of
    // amounts, and this is many times quicker than formatting with arg().
    char16_t text[24];
    qsizetype start = qsizetype(std::size(text));
    quint64 whole = amount < 0 ? quint64(0) - quint64(amount) : quint64(amount);
    for (int digit = 0; digit < 2; ++digit) {
        text[--start] = char16_t(u'0' + whole % 10);
        whole /= 10;
    }
    text[--start] = u'.';
    do {
        text[--start] = char16_t(u'0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (amount < 0) {
        text[--start] = u'-';
    }
    return QString(reinterpret_cast<const QChar *>(text + start),
                   qsizetype(std::size(text)) - start);
}

QString unitPriceText(double unitPrice)
{
    QString text = QString::number(std::round(unitPrice * 10000.0) / 10000.0, 'f', 4);
    while (text.endsWith(QLatin1Char('0')) && text.indexOf(QLatin1Char('.')) < text.size() - 3) {
        text.chop(1);
    }
    return text == QStringLiteral("-0.00") ? QStringLiteral("0.00") : text;
}

TypedPrice parseUnitPrice(const QString &text)
{
    const QString trimmed = withoutSurroundingSpaces(text);
    if (trimmed.isEmpty()) {
        return {};
    }
    bool ok = false;
    const double price = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(price) || price < 0) {
        return {false, std::nullopt};
    }
    return {true, price};
}

} // namespace kucun
