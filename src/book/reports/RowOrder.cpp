#include "RowOrder.h"

#include "book/Gb18030.h"
#include "book/ValueText.h"
#include "book/stock/Quantity.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <variant>

namespace kucun {

namespace {

QString withAsciiLowerCase(QString text)
{
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return text;
}

// A date as the program shows it (2024年5月3日10时) or as it is stored
// (2024-05-03 10:00:00), in days; a text that is no date comes first.
double dayNumber(const QString &text)
{
    static const QRegularExpression shown(
        QStringLiteral("^(\\d+)年(\\d+)月(\\d+)日(?:(\\d+)时)?(?:(\\d+)分)?(?:(\\d+)秒)?$"));
    QDateTime moment;
    if (const QRegularExpressionMatch match = shown.match(text); match.hasMatch()) {
        const auto part = [&match](int n) { return match.captured(n).toInt(); };
        moment = QDateTime(QDate(part(1), part(2), part(3)), QTime(part(4), part(5), part(6)));
    } else {
        moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!moment.isValid()) {
            moment = QDateTime(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
        }
    }
    if (!moment.isValid()) {
        return std::numeric_limits<double>::lowest();
    }
    return double(moment.date().toJulianDay()) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

// A number rounded to the nearest multiple of the tolerance, so that numbers
// within it compare equal while the order stays a strict weak ordering.
double onToleranceGrid(double value)
{
    return std::nearbyint(value / numberTolerance);
}

// Each key made once into what it compares as.
using Key = std::variant<double, QByteArray, bool>;

Key keyOf(const QString &text, const SortRule &rule)
{
    const QString key = withoutSurroundingSpaces(text);
    switch (rule.kind) {
    case KeyKind::Number:
        return onToleranceGrid(leadingNumber(key));
    case KeyKind::Text:
        return gb18030(rule.caseSensitive ? key : withAsciiLowerCase(key));
    case KeyKind::Date:
        return onToleranceGrid(dayNumber(key));
    case KeyKind::TrueFalse:
        return key == QStringLiteral("假");
    }
    return false;
}

bool less(const Key &a, const Key &b)
{
    if (const auto *number = std::get_if<double>(&a)) {
        return *number < std::get<double>(b);
    }
    if (const auto *bytes = std::get_if<QByteArray>(&a)) {
        return *bytes < std::get<QByteArray>(b);
    }
    // A "假" key goes after every other key.
    return !std::get<bool>(a) && std::get<bool>(b);
}

} // namespace

namespace {

// The present indexes of the keys in their sorted order; equal keys keep theirs.
template <typename Key, typename Less>
std::vector<int> stableOrderOf(const std::vector<Key> &keys, Less less, bool descending)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return descending ? less(keys[size_t(b)], keys[size_t(a)])
                          : less(keys[size_t(a)], keys[size_t(b)]);
    });
    return order;
}

} // namespace

std::vector<int> sortedRowOrder(const QStringList &keys, const SortRule &rule)
{
    std::vector<Key> encoded;
    encoded.reserve(size_t(keys.size()));
    for (const QString &key : keys) {
        encoded.push_back(keyOf(key, rule));
    }
    return stableOrderOf(encoded, less, rule.descending);
}

std::vector<int> sortedRowOrder(const std::vector<double> &keys)
{
    std::vector<double> onGrid;
    onGrid.reserve(keys.size());
    for (const double key : keys) {
        onGrid.push_back(onToleranceGrid(key));
    }
    return stableOrderOf(onGrid, std::less<double>(), false);
}

} // namespace kucun
