// GBK through the C library's iconv (glibc's "GBK" converter). It refuses every
// character without a code rather than replacing it, and keeps no state between
// calls: each conversion opens its own descriptor.
#include <iconv.h>

#include <initializer_list>
#include <utility>

#include "memory/iconv_conversion.h"
#include "memory/system_gbk.h"

namespace kalvox::system_gbk {
namespace {

constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";

}  // namespace

bool available() {
    for (const auto& [to, from] : {std::pair{kGbk, kUtf8}, std::pair{kUtf8, kGbk}}) {
        const iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv_close(cd);
    }
    return true;
}

std::optional<std::string> encode(std::string_view utf8) {
    return iconvConversion(kGbk, kUtf8, utf8);
}

std::optional<std::string> decode(std::string_view bytes) {
    return iconvConversion(kUtf8, kGbk, bytes);
}

}  // namespace kalvox::system_gbk
