#pragma once
// The character classes that the steps over expression texts share. "E" and
// "J" count as "e" and "j": a text is read the same in either case.

namespace kalvox {

inline constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline constexpr bool isE(char c) { return c == 'e' || c == 'E'; }
inline constexpr bool isJ(char c) { return c == 'j' || c == 'J'; }
inline constexpr bool isSign(char c) { return c == '+' || c == '-'; }

}  // namespace kalvox
