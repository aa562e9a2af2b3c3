#include "ValueText.h"

#include <QLocale>
#include <algorithm>

namespace kucun {

QString numberText(double value)
{
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    // 'f' keeps large and small values in plain digits (100000, not 1e+05).
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString totalText(double value)
{
    QString text = QString::number(value, 'f', 10);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString ValueTexts::number(double value)
{
    auto known = m_numbers.constFind(value);
    if (known == m_numbers.constEnd()) {
        known = m_numbers.insert(value, numberText(value));
    }
    return *known;
}

QString ValueTexts::dateTime(const QDateTime &value)
{
    auto known = m_dateTimes.constFind(value);
    if (known == m_dateTimes.constEnd()) {
        known = m_dateTimes.insert(value, dateTimeText(value));
    }
    return *known;
}

QString dateTimeText(const QDateTime &value)
{
    if (!value.isValid()) {
        return QString();
    }
    const QDate date = value.date();
    const QTime time = value.time();
    QString text =
        QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
    if (time.second() != 0) {
        text +=
            QStringLiteral("%1时%2分%3秒").arg(time.hour()).arg(time.minute()).arg(time.second());
    } else if (time.minute() != 0) {
        text += QStringLiteral("%1时%2分").arg(time.hour()).arg(time.minute());
    } else if (time.hour() != 0) {
        text += QStringLiteral("%1时").arg(time.hour());
    }
    return text;
}

namespace {

bool isSpace(QChar c)
{
    return c == QChar(0x20) || c == QChar(0x3000);
}

} // namespace

bool isBlank(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isSpace);
}

QString withoutSurroundingSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && isSpace(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace kucun
