#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace kucun {

// A number as its shortest round-trip decimal text: 5, 2.5.
QString numberText(double value);

// A sum of many numbers, rounded to 10 decimal places so that the noise of
// binary fractions does not show: 0.1 + 0.2 reads "0.3".
QString totalText(double value);

// 2024年5月3日, then 时/分/秒 down to the last unit that is not zero.
QString dateTimeText(const QDateTime &value);

// The texts of many values, each distinct value's text made once: a list of
// thousands of rows repeats a few stocks, quantities and dates.
class ValueTexts
{
public:
    QString number(double value);
    QString dateTime(const QDateTime &value);

private:
    QHash<double, QString> m_numbers;
    QHash<QDateTime, QString> m_dateTimes;
};

// True when the text holds nothing but half-width and full-width spaces.
bool isBlank(const QString &text);

// The text without the half-width and full-width spaces around it.
QString withoutSurroundingSpaces(const QString &text);

// Two stored numbers count as equal within this tolerance.
constexpr double numberTolerance = 1e-7;

} // namespace kucun
