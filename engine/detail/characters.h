#pragma once
// The character classes that the steps over expression texts share. "E" and
// "J" count as "e" and "j": a text is read the same in either case.

namespace kalvox {

inline constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline constexpr bool isE(char c) { return c == 'e' || c == 'E'; }
inline constexpr bool isJ(char c) { return c == 'j' || c == 'J'; }
inline constexpr bool isSign(char c) { return c == '+' || c == '-'; }

// The control bytes that stand for an SI prefix behind a number (si_prefix.h).
inline constexpr char kFirstPrefixMarker = '\x10';
inline constexpr char kLastPrefixMarker = '\x19';
inline constexpr bool isPrefixMarker(char c) {
    return c >= kFirstPrefixMarker && c <= kLastPrefixMarker;
}
// A digit, or the prefix marker that ends a number's digits ("4.7k").
inline constexpr bool isDigitOrPrefix(char c) { return isDigit(c) || isPrefixMarker(c); }

}  // namespace kalvox
