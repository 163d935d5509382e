#pragma once
// An encoder independent of the one under test: glibc's iconv, used to build
// the bytes a test expects.

#include <QByteArray>
#include <string_view>

namespace kalvox::test {

// The UTF-8 text in GBK (CP936); fails the running test if iconv cannot.
QByteArray gbk(std::string_view utf8);

}  // namespace kalvox::test
