#include "model/utf16.h"

#include "memory/utf8.h"

namespace kalvox {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool whole = lead < 0x80 || (lead >= 0xC0 && lead < 0xF8 && i + length <= utf8.size());
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto trail = static_cast<unsigned char>(utf8[i + k]);
            whole = (trail & 0xC0) == 0x80;
            c = (c << 6) | (trail & 0x3F);
        }
        if (!whole) {
            out += static_cast<char16_t>(kReplacement);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

namespace {
std::string utf8(std::u16string_view utf16, bool keepLoneSurrogates) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        const bool low = c >= 0xDC00 && c < 0xE000;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, (high || low) && !keepLoneSurrogates ? kReplacement : char32_t(c));
        }
    }
    return out;
}
}  // namespace

std::string toUtf8(std::u16string_view utf16) { return utf8(utf16, false); }

std::string toUtf8KeepingLoneSurrogates(std::u16string_view utf16) { return utf8(utf16, true); }

}  // namespace kalvox
