#include "tests/memory/gbk_reference.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "memory/gbk_codec.h"
#include "tests/memory/gbk_table.h"
#else
#include <iconv.h>
#endif

namespace kalvox::test {

#ifdef _WIN32

// Windows has no iconv: the recorded table, which the GBK tests hold the system's
// code page to, stands in for it.
std::string gbk(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character c = readUtf8(utf8, i);
        const std::optional<std::string> bytes =
            c.code < 0x10000 ? recordedGbk(static_cast<char16_t>(c.code)) : std::nullopt;
        if (!bytes) {
            ADD_FAILURE() << "no recorded GBK code for " << std::string(utf8);
            return {};
        }
        out += *bytes;
        i += c.length;
    }
    return out;
}

#else

std::string gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no CP936";
        return {};
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        ADD_FAILURE() << "iconv cannot encode " << in;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

#endif

std::string hex(std::string_view bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const char b : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[static_cast<unsigned char>(b) >> 4];
        text += kDigits[static_cast<unsigned char>(b) & 0xF];
    }
    return text;
}

std::string fromHex(std::string_view hexPairs) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hexPairs.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(std::string(hexPairs.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

}  // namespace kalvox::test
