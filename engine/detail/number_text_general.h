#pragma once
// The general conversions behind numberText, leadingNumber and roundTo, without
// their shortcuts for common values. The engine falls back on them; the tests
// hold the shortcuts to them. Not for the engine's users.

#include <optional>
#include <string>
#include <string_view>

namespace kalvox {

// numberText by the general conversion.
std::string numberTextGeneral(double x);

// leadingNumber without the shortcut for plain numbers; both give the same
// double for every text.
std::optional<double> leadingNumberGeneral(std::string_view text);

// roundTo by the general conversion.
double roundToGeneral(double x, int n);

}  // namespace kalvox
