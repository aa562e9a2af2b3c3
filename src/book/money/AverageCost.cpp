#include "AverageCost.h"

#include "book/ValueText.h"

namespace kucun {

std::optional<double> costAfter(double stockBefore, std::optional<double> costBefore, bool in,
                                double quantity, std::optional<double> price)
{
    if (!in || !price) {
        return costBefore;
    }
    if (!costBefore || stockBefore <= numberTolerance) {
        return price;
    }
    return (stockBefore * *costBefore + quantity * *price) / (stockBefore + quantity);
}

} // namespace kucun
