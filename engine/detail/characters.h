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
// The control byte that stands for Euler's number, an "e" of its own (euler.h).
inline constexpr char kEulerMarker = '\x1A';
// The control byte that stands for a degree sign right behind a digit ("30°"):
// dropped from the input box, but an argument in radians refuses it.
inline constexpr char kDegreeMarker = '\x1B';
// Whether c is one of the marker bytes above.
inline constexpr bool isMarker(char c) {
    return isPrefixMarker(c) || c == kEulerMarker || c == kDegreeMarker;
}
// A digit, or a marker that ends a number item ("4.7k", "e", "30°").
inline constexpr bool isDigitOrPrefix(char c) { return isDigit(c) || isMarker(c); }

}  // namespace kalvox
