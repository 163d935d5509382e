#include "memory/gbk_codec.h"

#include <array>
#include <cstdint>

#include "memory/system_gbk.h"
#include "memory/utf8.h"

namespace kalvox {
namespace {

// GBK's codes end at FE. Some converters read a lone FF as the private-use
// character U+F8F5 and write that character back as FF, others refuse both: here
// both are refused everywhere, so a file reads the same on every system.
constexpr char32_t kFFCharacter = 0xF8F5;

// The user-defined areas of GBK and its unassigned codes, which code page 936 maps
// to the private-use characters U+E000 to U+E864 and the C library's iconv does not
// map at all. They are converted here, from this table, on every system, so that a
// file holding one reads and writes the same everywhere.
//
// A run gives `count` consecutive characters from `first`, and consecutive codes
// from `code` within one lead byte (trail bytes 40 to FE without 7F).
struct UserDefinedRun {
    char32_t first;
    std::uint16_t code;
    int count;
};
constexpr std::array<UserDefinedRun, 46> kUserDefined{
    {{0xE000, 0xAAA1, 94}, {0xE05E, 0xABA1, 94}, {0xE0BC, 0xACA1, 94}, {0xE11A, 0xADA1, 94},
     {0xE178, 0xAEA1, 94}, {0xE1D6, 0xAFA1, 94}, {0xE234, 0xF8A1, 94}, {0xE292, 0xF9A1, 94},
     {0xE2F0, 0xFAA1, 94}, {0xE34E, 0xFBA1, 94}, {0xE3AC, 0xFCA1, 94}, {0xE40A, 0xFDA1, 94},
     {0xE468, 0xFEA1, 94}, {0xE4C6, 0xA140, 96}, {0xE526, 0xA240, 96}, {0xE586, 0xA340, 96},
     {0xE5E6, 0xA440, 96}, {0xE646, 0xA540, 96}, {0xE6A6, 0xA640, 96}, {0xE706, 0xA740, 96},
     {0xE766, 0xA2AB, 6},  {0xE76C, 0xA2E3, 2},  {0xE76E, 0xA2EF, 2},  {0xE770, 0xA2FD, 2},
     {0xE772, 0xA4F4, 11}, {0xE77D, 0xA5F7, 8},  {0xE785, 0xA6B9, 8},  {0xE78D, 0xA6D9, 7},
     {0xE794, 0xA6EC, 2},  {0xE796, 0xA6F3, 1},  {0xE797, 0xA6F6, 9},  {0xE7A0, 0xA7C2, 15},
     {0xE7AF, 0xA7F2, 13}, {0xE7BC, 0xA896, 11}, {0xE7C7, 0xA8BC, 1},  {0xE7C8, 0xA8BF, 1},
     {0xE7C9, 0xA8C1, 4},  {0xE7CD, 0xA8EA, 21}, {0xE7E2, 0xA958, 1},  {0xE7E3, 0xA95B, 1},
     {0xE7E4, 0xA95D, 3},  {0xE7E7, 0xA989, 13}, {0xE7F4, 0xA997, 13}, {0xE801, 0xA9F0, 15},
     {0xE810, 0xD7FA, 5},  {0xE815, 0xFE50, 80}}};
constexpr char32_t kUserDefinedFirst = 0xE000;
constexpr char32_t kUserDefinedLast = 0xE864;

// Trail bytes 40 to FE without 7F, counted from 0.
int trailIndex(unsigned char trail) { return trail < 0x7F ? trail - 0x40 : trail - 0x41; }
unsigned char trailAt(int index) {
    return static_cast<unsigned char>(index < 0x3F ? index + 0x40 : index + 0x41);
}

bool isUserDefined(char32_t c) { return c >= kUserDefinedFirst && c <= kUserDefinedLast; }

// The two bytes of a user-defined character.
std::string userDefinedBytes(char32_t c) {
    for (const UserDefinedRun& run : kUserDefined) {
        const auto offset = static_cast<int>(c - run.first);
        if (offset < 0 || offset >= run.count) continue;
        const auto lead = static_cast<unsigned char>(run.code >> 8);
        const int trail = trailIndex(static_cast<unsigned char>(run.code & 0xFF)) + offset;
        return {static_cast<char>(lead), static_cast<char>(trailAt(trail))};
    }
    return {};  // unreachable: the runs cover U+E000 to U+E864 without a gap
}

// The user-defined character of two bytes; 0 when they are none.
char32_t userDefinedCharacter(unsigned char lead, unsigned char trail) {
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return 0;
    for (const UserDefinedRun& run : kUserDefined) {
        if ((run.code >> 8) != lead) continue;
        const int offset =
            trailIndex(trail) - trailIndex(static_cast<unsigned char>(run.code & 0xFF));
        if (offset >= 0 && offset < run.count) return run.first + static_cast<char32_t>(offset);
    }
    return 0;
}

bool isSurrogate(char32_t c) { return c >= 0xD800 && c < 0xE000; }

}  // namespace

Utf8Character readUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1, false};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    const Utf8Character malformed{0xFFFD, 1, true};
    if (lead < 0xC2 || lead > 0xF4 || at + length > text.size()) return malformed;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto trail = static_cast<unsigned char>(text[at + k]);
        if ((trail & 0xC0) != 0x80) return malformed;
        c = (c << 6) | (trail & 0x3F);
    }
    if (c < kMinimum[length] || c > 0x10FFFF) return malformed;
    return {c, length, false};
}

bool gbkAvailable() { return system_gbk::available(); }

std::optional<std::string> toGbk(std::string_view utf8) {
    // Runs of ordinary characters go to the system's converter whole; a user-defined
    // character ends a run and is converted from the table.
    std::string bytes;
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end == runStart) return true;
        const std::optional<std::string> run =
            system_gbk::encode(utf8.substr(runStart, end - runStart));
        if (!run) return false;
        bytes += *run;
        return true;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character c = readUtf8(utf8, i);
        if (c.malformed || isSurrogate(c.code) || c.code == kFFCharacter) return std::nullopt;
        if (isUserDefined(c.code)) {
            if (!flush(i)) return std::nullopt;
            bytes += userDefinedBytes(c.code);
            runStart = i + c.length;
        }
        i += c.length;
    }
    if (!flush(utf8.size())) return std::nullopt;
    return bytes;
}

std::optional<std::string> fromGbk(std::string_view bytes) {
    if (bytes.find('\xFF') != std::string_view::npos) return std::nullopt;
    std::string text;
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end == runStart) return true;
        const std::optional<std::string> run =
            system_gbk::decode(bytes.substr(runStart, end - runStart));
        if (!run) return false;
        text += *run;
        return true;
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        // One byte: ASCII and 80 (the euro sign); a lead byte takes the next one with it.
        if (lead <= 0x80 || i + 1 == bytes.size()) {
            ++i;
            continue;
        }
        const char32_t c = userDefinedCharacter(lead, static_cast<unsigned char>(bytes[i + 1]));
        if (c != 0) {
            if (!flush(i)) return std::nullopt;
            appendUtf8(text, c);
            runStart = i + 2;
        }
        i += 2;
    }
    if (!flush(bytes.size())) return std::nullopt;
    return text;
}

std::string codePointText(char32_t c) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char32_t rest = c; rest != 0 || hex.size() < 4; rest >>= 4)
        hex.insert(hex.begin(), kDigits[rest & 0xF]);
    return "U+" + hex;
}

}  // namespace kalvox
