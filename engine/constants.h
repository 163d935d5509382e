#pragma once
// Texts that the panel's keys insert and the engine reads back, each written once.

#include <array>
#include <string_view>

namespace kalvox {

// π as the engine computes with it and as the π key inserts it (15 significant
// digits; not the closest double to π). The notation translation turns a typed
// "π" into the same text.
inline constexpr double kPiValue = 3.14159265358979;
inline constexpr std::string_view kPiText = "3.14159265358979";

// e as the inverse ln key writes it. The key writes 15 significant digits when it
// inserts its symbol at the caret (函数符号) and when it is applied to the output
// (输出求值)...
inline constexpr std::string_view kEText = "2.71828182845905";
// ... but only 10 when it wraps the whole input (整式输入).
inline constexpr std::string_view kEShortText = "2.718281828";

// The names of the trigonometric functions in the order of their keys (sin, cos,
// tan, ctn); an inverse is the name behind kInversePrefix ("arcsin").
inline constexpr std::array<std::string_view, 4> kTrigNames = {"sin", "cos", "tan", "ctn"};
inline constexpr std::string_view kInversePrefix = "arc";
inline constexpr std::string_view kLnName = "ln";
inline constexpr std::string_view kLogName = "log";

}  // namespace kalvox
