// The GBK conversion, character by character, against the recorded table: the
// same bytes and the same refusals on every system.

#include "memory/gbk_codec.h"

#include <gtest/gtest.h>

#include <QFile>
#include <map>

#include "tests/memory/gbk_table.h"

namespace kalvox {
namespace {

using test::recordedGbk;

std::string hex(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }

TEST(GbkCodec, TableIsPresent) {
    QFile table(QStringLiteral(":/gbk_table.bin"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    EXPECT_EQ(table.size(), 0x20000);
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
        {"private use F8F5, read by some converters from a lone FF", u'\uf8f5', ""},
        {"C1 control", u'\x80', ""},
        {"no-break space", u'\xa0', ""},
        {"parallel sign", u'∥', "a1ce"},
        {"square root", u'√', "a1cc"},
        {"hangul", u'한', ""},
        {"replacement character", u'\ufffd', ""},
    };
    for (const KnownCode& c : cases) {
        SCOPED_TRACE(c.name);
        const QChar ch(c.character);
        const std::optional<QByteArray> bytes = toGbk(QStringView(&ch, 1));
        const std::optional<QByteArray> recorded = recordedGbk(c.character);
        if (*c.hexBytes == '\0') {
            EXPECT_FALSE(bytes.has_value()) << hex(*bytes);
            EXPECT_FALSE(recorded.has_value());
            continue;
        }
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(hex(*bytes), hex(QByteArray::fromHex(c.hexBytes)));
        ASSERT_TRUE(recorded.has_value());
        EXPECT_EQ(*recorded, *bytes);
    }
}

TEST(GbkCodec, EveryCharacterEncodesAsRecorded) {
    int mismatches = 0;
    for (char32_t code = 0; code < 0x10000; ++code) {
        if (code >= 0xD800 && code < 0xE000) continue;
        const auto c = static_cast<char16_t>(code);
        const QChar ch(c);
        const std::optional<QByteArray> bytes = toGbk(QStringView(&ch, 1));
        const std::optional<QByteArray> recorded = recordedGbk(c);
        if (bytes != recorded && ++mismatches <= 20) {
            ADD_FAILURE() << codePointText(code).toStdString() << ": "
                          << (bytes ? hex(*bytes) : "refused") << ", recorded "
                          << (recorded ? hex(*recorded) : "refused");
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(GbkCodec, EveryCodeDecodesAsRecorded) {
    std::map<QByteArray, char16_t> characters;
    for (char32_t code = 0; code < 0x10000; ++code) {
        if (code >= 0xD800 && code < 0xE000) continue;
        if (const auto bytes = recordedGbk(static_cast<char16_t>(code))) {
            characters.emplace(*bytes, static_cast<char16_t>(code));
        }
    }
    int mismatches = 0;
    auto check = [&](const QByteArray& bytes) {
        const std::optional<QString> text = fromGbk(bytes);
        const auto found = characters.find(bytes);
        const bool same = found == characters.end()
                              ? !text.has_value()
                              : text && *text == QString(QChar(found->second));
        if (!same && ++mismatches <= 20) {
            ADD_FAILURE() << hex(bytes) << ": "
                          << (text ? text->toUtf8().toStdString() : std::string("refused"))
                          << ", recorded "
                          << (found == characters.end()
                                  ? std::string("none")
                                  : codePointText(found->second).toStdString());
        }
    };
    for (int lead = 0; lead < 0x100; ++lead) {
        if (lead < 0x80) {
            check(QByteArray(1, static_cast<char>(lead)));
            continue;
        }
        if (characters.count(QByteArray(1, static_cast<char>(lead)))) {
            check(QByteArray(1, static_cast<char>(lead)));
        }
        if (lead == 0x80 || lead == 0xFF) continue;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            QByteArray bytes;
            bytes += static_cast<char>(lead);
            bytes += static_cast<char>(trail);
            check(bytes);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

struct RefusedText {
    const char* name;
    std::u16string text;
};

TEST(GbkCodec, TextsWithoutCodeAreRefusedWhole) {
    const RefusedText cases[] = {
        {"lone high surrogate", std::u16string(u"1") + char16_t(0xD83D) + u"2"},
        {"lone low surrogate", std::u16string(u"a") + char16_t(0xDE00)},
        {"emoji", u"I😀"},
        {"one bad character among good ones", u"中文한中"},
    };
    for (const RefusedText& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(toGbk(QStringView(c.text.data(), static_cast<qsizetype>(c.text.size()))));
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
    };
    for (const BadBytes& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(fromGbk(QByteArray::fromHex(c.hexBytes)).has_value());
    }
}

TEST(GbkCodec, EmptyTextAndBytes) {
    EXPECT_EQ(toGbk(QStringView()), QByteArray());
    EXPECT_EQ(fromGbk(QByteArray()), QString());
}

}  // namespace
}  // namespace kalvox
