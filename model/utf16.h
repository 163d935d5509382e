#pragma once
// The input box counts its caret in UTF-16 code units, the engine reads UTF-8.

#include <string>
#include <string_view>

namespace kalvox {

std::u16string toUtf16(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view utf16);
// A lone surrogate keeps its code as its own three bytes, so that the result file
// can refuse it by name (memory/gbk_codec.h).
std::string toUtf8KeepingLoneSurrogates(std::u16string_view utf16);

}  // namespace kalvox
