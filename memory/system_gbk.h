#pragma once
// The system's GBK converter behind one interface: system_gbk_iconv.cpp (iconv, as
// the C library provides it) or system_gbk_windows.cpp (code page 936). Only
// gbk_codec.cpp calls it; it hands over well-formed UTF-8 without surrogates and
// without the characters of GBK's user-defined areas, which it converts itself.

#include <optional>
#include <string>
#include <string_view>

namespace kalvox::system_gbk {

// Whether the converter can be opened in both directions.
bool available();

// The GBK bytes of the UTF-8 text; nullopt when any character has no code.
std::optional<std::string> encode(std::string_view utf8);

// The UTF-8 text of the GBK bytes; nullopt when they are not GBK.
std::optional<std::string> decode(std::string_view bytes);

}  // namespace kalvox::system_gbk
