#pragma once
// The GBK code of every character of the Basic Multilingual Plane, as recorded in
// data/gbk_table.bin (two bytes per code point, big-endian: the one-byte code, the
// two-byte code, or 0xFFFF for none). The table was written from ICU's GBK converter,
// so the Windows code page 936 conversion and iconv can be held to the very same
// bytes; the one change is U+F8F5, which ICU writes as the lone byte FF, recorded as
// having no code.

#include <optional>
#include <string>

namespace kalvox::test {

// The recorded GBK bytes of the code point; nullopt when it has none.
std::optional<std::string> recordedGbk(char16_t c);

// Whether the whole table was compiled in.
bool gbkTableComplete();

}  // namespace kalvox::test
