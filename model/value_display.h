#pragma once
// The display setting: how the output box shows a value. It changes only what is
// shown; the value text itself (the output's tooltip, the registers, the result
// file, ans and ej-j) stays as the engine wrote it.
//
//   常规 (plain)        the engine's text: 15 significant digits, E below 1E-04 and
//                      from 1E+15 on
//   工程 (engineering)  an exponent that is a multiple of 3, written as an SI prefix
//                      p n µ m k M G T ("4.7k", "22µ"), beyond them "E" and the
//                      multiple of 3 ("1.5E+15")
//   有效数字            15, 12, 10 or 6 significant digits, for the magnitude and
//                      the angle alike ("10ej30.0000000000011" with 10: "10ej30")
//
// A complex value keeps its form: the magnitude of "A ej θ" gets the notation and
// its angle stays in plain degrees; both parts of "a+jb" get the notation.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kalvox {

enum class DisplayNotation {
    Plain,        // 常规
    Engineering,  // 工程
};

// The counts of significant digits the display offers; 15 is the engine's own.
inline constexpr std::array<int, 4> kDisplayDigits = {15, 12, 10, 6};
inline constexpr int kFullDigits = 15;

struct DisplaySetting {
    DisplayNotation notation = DisplayNotation::Plain;
    int digits = kFullDigits;  // one of kDisplayDigits

    bool operator==(const DisplaySetting&) const = default;
    // The engine's own text, shown as it is.
    bool isFullText() const { return notation == DisplayNotation::Plain && digits == kFullDigits; }
};

// Whether n is one of kDisplayDigits.
bool isDisplayDigits(int n);

// The SI prefix of a power of ten 10^exponent (a multiple of 3 from -12 to 12; ""
// for 0), nullopt for any other exponent.
std::optional<std::string_view> siPrefix(int exponent);

// One number as the setting shows it (x finite).
std::string displayedNumber(double x, const DisplaySetting& setting);

// The output text as the setting shows it: a value text of the engine (a real, a
// negated real, "R ej A") or the algebraic form "a+jb" / "a-jb" of ej-j is rendered
// anew; anything else (an error display, a typed text) is shown as it is, and so
// is everything under the plain 15-digit setting.
std::string displayedText(std::string_view text, const DisplaySetting& setting);

}  // namespace kalvox
