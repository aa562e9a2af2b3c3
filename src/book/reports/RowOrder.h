#pragma once

#include <QStringList>
#include <vector>

namespace kucun {

// How the key texts of a column compare.
enum class KeyKind
{
    Number,   // as numbers; texts that are no number count 0
    Text,     // by their GBK bytes
    Date,     // as dates and times
    TrueFalse // every key but "假" first
};

struct SortRule
{
    KeyKind kind = KeyKind::Text;
    // Text keys only: when false, ASCII letters compare without case.
    bool caseSensitive = true;
    bool descending = false;
};

// The order that sorts the rows by their keys (one key text per row, in the
// rows' present order): entry i is the present index of the row that goes
// to position i. Keys are compared with half- and full-width spaces around
// them removed; numbers within 1e-7 of each other are equal. Rows with equal
// keys keep their present order, so sorting by one column and then another
// sorts by both.
std::vector<int> sortedRowOrder(const QStringList &keys, const SortRule &rule);
// The same, ascending, for the numbers the rows were filled from.
std::vector<int> sortedRowOrder(const std::vector<double> &keys);

} // namespace kucun
