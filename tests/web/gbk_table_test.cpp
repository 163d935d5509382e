// The table's GBK, which the page uses for result files, against the C library's
// iconv here: the same bytes for every character and the same text for every one- and
// two-byte sequence, outside GBK's user-defined areas (converted by the codec itself
// on every system) and the lone FF.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "memory/iconv_conversion.h"
#include "memory/system_gbk.h"
#include "memory/utf8.h"

namespace kalvox {
namespace {

std::string utf8(char32_t c) {
    std::string out;
    appendUtf8(out, c);
    return out;
}

bool isUserDefined(char32_t c) { return c >= 0xE000 && c <= 0xE864; }

// Whether two bytes are a code of GBK's user-defined areas, which the codec converts
// itself on every system and iconv here does not know.
bool userDefinedBytes(const std::string& bytes) {
    const std::optional<std::string> text = system_gbk::decode(bytes);
    if (!text || text->size() != 3) return false;
    const auto* u = reinterpret_cast<const unsigned char*>(text->data());
    const char32_t c = (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
    return isUserDefined(c);
}

TEST(GbkTable, EncodesEveryCharacterAsIconv) {
    std::vector<std::string> differences;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if ((c >= 0xD800 && c < 0xE000) || isUserDefined(c) || c == 0xF8F5) continue;
        const std::optional<std::string> table = system_gbk::encode(utf8(c));
        const std::optional<std::string> reference = iconvConversion("GBK", "UTF-8", utf8(c));
        if (table != reference) differences.push_back(std::to_string(c));
    }
    EXPECT_TRUE(differences.empty()) << differences.size() << " characters differ, first U+"
                                     << std::hex << std::stoul(differences.front());
}

TEST(GbkTable, DecodesEverySequenceAsIconv) {
    int differences = 0;
    std::string first;
    const auto compare = [&](const std::string& bytes) {
        if (system_gbk::decode(bytes) == iconvConversion("UTF-8", "GBK", bytes)) return;
        if (differences++ == 0) first = bytes;
    };
    for (unsigned b = 0; b < 0xFF; ++b) compare(std::string(1, static_cast<char>(b)));
    for (unsigned lead = 0x81; lead < 0xFF; ++lead) {
        for (unsigned trail = 0; trail < 0x100; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            if (!userDefinedBytes(bytes)) compare(bytes);
        }
    }
    EXPECT_EQ(differences, 0) << "first: " << std::hex
                              << (static_cast<unsigned>(static_cast<unsigned char>(first[0])));
}

struct TextCase {
    const char* name;
    const char* utf8;
    const char* gbk;  // nullptr: refused
};

TEST(GbkTable, WholeTexts) {
    const TextCase cases[] = {
        {"result line", "Ia=230/(3+j4)=46ej-53.130102354156\r\n",
         "Ia=230/(3+j4)=46ej-53.130102354156\r\n"},
        {"Chinese tag", "CT变比=1", "CT\xB1\xE4\xB1\xC8=1"},
        {"cos phi", "cosφ", "cos\xA6\xD5"},
        {"euro", "€", "\x80"},
        {"no code", "a☃b", nullptr},
        {"outside the plane", "\xF0\x9F\x98\x80", nullptr},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> bytes = system_gbk::encode(c.utf8);
        if (!c.gbk) {
            EXPECT_FALSE(bytes);
            continue;
        }
        ASSERT_TRUE(bytes);
        EXPECT_EQ(*bytes, c.gbk);
        EXPECT_EQ(system_gbk::decode(*bytes), std::string(c.utf8));
    }
    EXPECT_FALSE(system_gbk::decode("\xB1"));      // a lead byte without its trail
    EXPECT_FALSE(system_gbk::decode("\xB1\x30"));  // a trail byte that is no trail
}

}  // namespace
}  // namespace kalvox
