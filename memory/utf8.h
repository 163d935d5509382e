#pragma once
// The UTF-8 bytes of one code point, appended: what the result file code, the GBK
// converters and the panel model's UTF-16 texts all write.

#include <string>

namespace kalvox {

inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    // A lead byte that counts the trail bytes, then six bits a trail byte.
    const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    constexpr unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[trail] | (c >> (6 * trail)));
    for (int k = trail - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

}  // namespace kalvox
