// The GBK conversion, character by character, against the recorded table: the
// same bytes and the same refusals on every system.

#include "memory/gbk_codec.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/memory/gbk_reference.h"
#include "tests/memory/gbk_table.h"

namespace kalvox {
namespace {

using test::fromHex;
using test::hex;
using test::recordedGbk;

std::string utf8Of(char32_t c) {
    std::string text;
    appendUtf8(text, c);
    return text;
}

TEST(GbkCodec, TableIsPresent) {
    EXPECT_TRUE(test::gbkTableComplete());
    EXPECT_TRUE(gbkAvailable());
}

struct KnownCode {
    const char* name;
    char16_t character;
    const char* hexBytes;  // "" when the character has no GBK code
};

TEST(GbkCodec, KnownCharacters) {
    const KnownCode cases[] = {
        {"NUL", u'\0', "00"},
        {"digit", u'7', "37"},
        {"equals", u'=', "3d"},
        {"tilde", u'~', "7e"},
        {"DEL", u'\x7f', "7f"},
        {"euro sign, the one-byte 80", u'€', "80"},
        {"middle dot", u'·', "a1a4"},
        {"em dash", u'—', "a1aa"},
        {"degree sign", u'°', "a1e3"},
        {"angle", u'∠', "a1cf"},
        {"pi", u'π', "a6d0"},
        {"phi", u'φ', "a6d5"},
        {"fullwidth comma", u'，', "a3ac"},
        {"zhong", u'中', "d6d0"},
        {"cuo", u'错', "b4ed"},
        {"private use at a3a0", u'\ue5e5', "a3a0"},
        {"first user-defined character", u'\ue000', "aaa1"},
        {"last private-use character with a code", u'\ue864', "fea0"},
        {"user-defined character in row a2", u'\ue76c', "a2e3"},
        {"private use F8F5, read by some converters from a lone FF", u'\uf8f5', ""},
        {"first private-use character without a code", u'\ue865', ""},
        {"C1 control", u'\x80', ""},
        {"no-break space", u'\xa0', ""},
        {"parallel sign", u'∥', "a1ce"},
        {"square root", u'√', "a1cc"},
        {"hangul", u'한', ""},
        {"replacement character", u'\ufffd', ""},
    };
    for (const KnownCode& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> bytes = toGbk(utf8Of(c.character));
        const std::optional<std::string> recorded = recordedGbk(c.character);
        if (*c.hexBytes == '\0') {
            EXPECT_FALSE(bytes.has_value()) << hex(*bytes);
            EXPECT_FALSE(recorded.has_value());
            continue;
        }
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(hex(*bytes), hex(fromHex(c.hexBytes)));
        ASSERT_TRUE(recorded.has_value());
        EXPECT_EQ(*recorded, *bytes);
    }
}

TEST(GbkCodec, EveryCharacterEncodesAsRecorded) {
    int mismatches = 0;
    for (char32_t code = 0; code < 0x10000; ++code) {
        if (code >= 0xD800 && code < 0xE000) continue;
        const auto c = static_cast<char16_t>(code);
        const std::optional<std::string> bytes = toGbk(utf8Of(code));
        const std::optional<std::string> recorded = recordedGbk(c);
        if (bytes != recorded && ++mismatches <= 20) {
            ADD_FAILURE() << codePointText(code) << ": " << (bytes ? hex(*bytes) : "refused")
                          << ", recorded " << (recorded ? hex(*recorded) : "refused");
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(GbkCodec, EveryCodeDecodesAsRecorded) {
    std::map<std::string, char16_t> characters;
    for (char32_t code = 0; code < 0x10000; ++code) {
        if (code >= 0xD800 && code < 0xE000) continue;
        if (const auto bytes = recordedGbk(static_cast<char16_t>(code))) {
            characters.emplace(*bytes, static_cast<char16_t>(code));
        }
    }
    int mismatches = 0;
    auto check = [&](const std::string& bytes) {
        const std::optional<std::string> text = fromGbk(bytes);
        const auto found = characters.find(bytes);
        const bool same =
            found == characters.end() ? !text.has_value() : text && *text == utf8Of(found->second);
        if (!same && ++mismatches <= 20) {
            ADD_FAILURE() << hex(bytes) << ": " << (text ? *text : std::string("refused"))
                          << ", recorded "
                          << (found == characters.end() ? std::string("none")
                                                        : codePointText(found->second));
        }
    };
    for (int lead = 0; lead < 0x100; ++lead) {
        if (lead < 0x80) {
            check(std::string(1, static_cast<char>(lead)));
            continue;
        }
        if (characters.count(std::string(1, static_cast<char>(lead)))) {
            check(std::string(1, static_cast<char>(lead)));
        }
        if (lead == 0x80 || lead == 0xFF) continue;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            check(std::string{static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(GbkCodec, UserDefinedCharactersAmongOthersKeepTheirPlace) {
    // The user-defined areas are converted apart from the text around them.
    std::string text = "1";
    appendUtf8(text, 0xE000);
    text += "中";
    appendUtf8(text, 0xE4C6);
    appendUtf8(text, 0xE864);
    text += "=";
    const std::optional<std::string> bytes = toGbk(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(hex(*bytes), hex(fromHex("31aaa1d6d0a140fea03d")));
    EXPECT_EQ(fromGbk(*bytes), text);
}

// UTF-8 of a UTF-16 text that keeps a lone surrogate as its own three bytes.
std::string keepingSurrogates(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

struct RefusedText {
    const char* name;
    std::string text;
};

TEST(GbkCodec, TextsWithoutCodeAreRefusedWhole) {
    const RefusedText cases[] = {
        {"lone high surrogate", keepingSurrogates(std::u16string(u"1") + char16_t(0xD83D) + u"2")},
        {"lone low surrogate", keepingSurrogates(std::u16string(u"a") + char16_t(0xDE00))},
        {"emoji", "I😀"},
        {"one bad character among good ones", "中文한中"},
        {"a byte that is no UTF-8", "1\xff"},
        {"a cut UTF-8 sequence", "1\xe4\xb8"},
        {"user-defined character beside a bad one", "\xee\x80\x80한"},
    };
    for (const RefusedText& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(toGbk(c.text));
    }
}

struct BadBytes {
    const char* name;
    const char* hexBytes;
};

TEST(GbkCodec, BytesThatAreNotGbkAreRefused) {
    const BadBytes cases[] = {
        {"lead byte at the end", "31d6"},
        {"lead byte before an ASCII control", "d60a"},
        {"UTF-8 text", "e4b8ad"},
        {"byte FF, beyond GBK's codes", "31ff"},
        {"byte FF after a lead byte", "d6ff"},
        {"user-defined code before a cut one", "aaa1d6"},
    };
    for (const BadBytes& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(fromGbk(fromHex(c.hexBytes)).has_value());
    }
}

TEST(GbkCodec, EmptyTextAndBytes) {
    EXPECT_EQ(toGbk(""), std::string());
    EXPECT_EQ(fromGbk(""), std::string());
}

TEST(GbkCodec, CodePointNames) {
    EXPECT_EQ(codePointText(0), "U+0000");
    EXPECT_EQ(codePointText(0xD83D), "U+D83D");
    EXPECT_EQ(codePointText(0x1F600), "U+1F600");
}

}  // namespace
}  // namespace kalvox
