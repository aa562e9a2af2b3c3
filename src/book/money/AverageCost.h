#pragma once

#include <optional>

namespace kucun {

// The moving weighted average cost of a model after a movement, from its
// stock and cost before it. A stock-in of q at price p: (stock × cost +
// q × p) / (stock + q); p itself when the stock was 0 or less, or the model
// had no cost yet. A stock-in without a price enters at the cost it has, and
// a stock-out leaves the cost as it is. Kept unrounded; amounts are rounded
// when they are computed.
std::optional<double> costAfter(double stockBefore, std::optional<double> costBefore, bool in,
                                double quantity, std::optional<double> price);

} // namespace kucun
