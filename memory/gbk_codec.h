#pragma once
// The code page of result files: conversions between UTF-8 text and GBK bytes, and
// how a character is named in their messages. Standard C++ only.
//
// Result files are GBK, the code page they have always used on Simplified Chinese
// systems. The conversion itself is the system's: code page 936 on Windows, iconv
// elsewhere (system_gbk.h). Both are held to the same bytes and the same refusals,
// character by character, by the GBK table test.
//
// UTF-8 text may hold a lone surrogate written as its own three bytes, as a text box
// that counts in UTF-16 can hand one over; like every character without a GBK code
// it is refused, never replaced.

#include <optional>
#include <string>
#include <string_view>

#include "memory/utf8.h"

namespace kalvox {

// Whether this system can convert GBK at all.
bool gbkAvailable();

// The GBK bytes of the UTF-8 text; nullopt when a character (or a lone surrogate,
// or a byte that is no UTF-8) has no GBK code. Nothing is ever replaced by "?".
std::optional<std::string> toGbk(std::string_view utf8);

// The UTF-8 text the GBK bytes stand for; nullopt when they are not GBK.
std::optional<std::string> fromGbk(std::string_view bytes);

// A code point as messages name it: "U+" and at least four upper-case hex digits.
std::string codePointText(char32_t c);

// One character of UTF-8 text: its code point and how many bytes it takes. A byte
// that starts no well-formed sequence is one character of its own, U+FFFD, marked
// `malformed`. A lone surrogate's three bytes read as that surrogate.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 1;
    bool malformed = false;
};
Utf8Character readUtf8(std::string_view text, std::size_t at);

}  // namespace kalvox
