#pragma once
// What number formatting and number reading share: the exact powers of ten and
// the accumulator that turns a short run of decimal digits into a double.

#include <cstdint>

namespace kalvox::detail {

// Powers of ten that a double holds exactly.
inline constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Decimal digits gathered into an integer m while at most 15 of them are
// significant (leading zeros are not). Such an m is below 2^53, and with at
// most 22 decimals m / 10^decimals is one correctly rounded operation on exact
// operands: the same double as the general conversion of the digits.
class DigitAccumulator {
public:
    // Adds the next digit ('0' ... '9'); false once more than 15 are significant.
    bool push(char digit) {
        m_ = m_ * 10 + static_cast<std::uint64_t>(digit - '0');
        if (m_ != 0) ++significant_;
        return significant_ <= 15;
    }
    bool fits() const { return significant_ <= 15; }
    bool isZero() const { return m_ == 0; }
    // The digits read with the last `decimals` of them after the point (0 ... 22).
    double value(int decimals, bool negative) const {
        const double v = static_cast<double>(m_) / kExactTens[decimals];
        return negative ? -v : v;
    }

private:
    std::uint64_t m_ = 0;
    int significant_ = 0;
};

}  // namespace kalvox::detail
