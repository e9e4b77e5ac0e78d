#include "platform/base/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(nNumber) * nNumerator;
    // Round the magnitude, then apply the sign, so that -x rounds to exactly -(x rounded).
    const std::uint64_t num = product < 0 ? 0 - std::uint64_t(product) : std::uint64_t(product);
    const std::uint64_t den
        = nDenominator < 0 ? 0 - std::uint64_t(std::int64_t(nDenominator)) : std::uint64_t(nDenominator);
    const std::uint64_t magnitude = (num + den / 2) / den;
    const bool negative = (product < 0) != (nDenominator < 0);
    if (magnitude > std::uint64_t(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
        return -1;
    return negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
}
