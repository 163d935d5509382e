// GBK from the recorded table of every character's code (gbk_table.cmake turns the
// table the GBK tests hold every converter to into kGbkCodes), for a C library without
// a GBK converter: emscripten's musl has no GBK in its iconv. Encoding looks each
// character up; decoding looks the bytes up in the table turned around, built once.
// Nothing is replaced: a character without a code or bytes that are no code refuse
// the whole text, as the other converters do.
#include <array>
#include <cstdint>
#include <memory>

#include "memory/system_gbk.h"
#include "memory/utf8.h"

namespace kalvox {
// The GBK code of every code point below 0x10000: the one-byte code, the two-byte
// code (lead byte high), or kNoGbkCode.
extern const std::uint16_t kGbkCodes[0x10000];
}  // namespace kalvox

namespace kalvox::system_gbk {
namespace {

constexpr std::uint16_t kNoGbkCode = 0xFFFF;
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The character of each code, kNoCharacter for none.
const std::array<char32_t, 0x10000>& characters() {
    static const std::unique_ptr<std::array<char32_t, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<char32_t, 0x10000>>();
        t->fill(kNoCharacter);
        for (char32_t c = 0; c < 0x10000; ++c) {
            const std::uint16_t code = kGbkCodes[c];
            if (code != kNoGbkCode) (*t)[code] = c;
        }
        return t;
    }();
    return *table;
}

// The code point of the well-formed UTF-8 character at `at`, and its length.
char32_t readCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = lead & (0x3F >> trail);
    for (int k = 0; k < trail && at < text.size(); ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return c;
}

}  // namespace

bool available() { return true; }

std::optional<std::string> encode(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = readCharacter(utf8, i);
        if (c >= 0x10000) return std::nullopt;
        const std::uint16_t code = kGbkCodes[c];
        if (code == kNoGbkCode) return std::nullopt;
        if (code >= 0x100) bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
    }
    return bytes;
}

std::optional<std::string> decode(std::string_view bytes) {
    const std::array<char32_t, 0x10000>& table = characters();
    std::string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i++]);
        // A byte that is a code of its own, else a lead byte with its trail byte.
        char32_t c = table[first];
        if (c == kNoCharacter) {
            if (i == bytes.size()) return std::nullopt;
            c = table[static_cast<std::uint16_t>(first << 8 |
                                                 static_cast<unsigned char>(bytes[i++]))];
            if (c == kNoCharacter) return std::nullopt;
        }
        appendUtf8(text, c);
    }
    return text;
}

}  // namespace kalvox::system_gbk
