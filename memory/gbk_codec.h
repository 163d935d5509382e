#pragma once
// The code page of result files and how a character is named in their messages.

#include <QString>

namespace kalvox {

// Result files are GBK, the code page they have always used on Simplified Chinese
// systems; Qt reaches it through ICU.
inline constexpr const char* kCodec = "GBK";

// A code point as messages name it: "U+" and at least four upper-case hex digits.
QString codePointText(char32_t c);

}  // namespace kalvox
