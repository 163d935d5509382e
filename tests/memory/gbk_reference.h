#pragma once
// An encoder independent of the one under test, used to build the bytes a test
// expects: glibc's iconv, or on Windows the recorded table.

#include <string>
#include <string_view>

namespace kalvox::test {

// The UTF-8 text in GBK (CP936); fails the running test if it cannot.
std::string gbk(std::string_view utf8);

// Bytes written as hex pairs ("d6d0"), and back, for messages and tables.
std::string hex(std::string_view bytes);
std::string fromHex(std::string_view hexPairs);

}  // namespace kalvox::test
