// GBK through the C library's iconv (glibc's "GBK" converter). It refuses every
// character without a code rather than replacing it, and keeps no state between
// calls: each conversion opens its own descriptor.
#include <iconv.h>

#include <cerrno>
#include <initializer_list>
#include <utility>

#include "memory/system_gbk.h"

namespace kalvox::system_gbk {
namespace {

constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";

// The whole input converted, or nullopt at the first sequence the converter
// refuses (EILSEQ) or finds cut off (EINVAL).
std::optional<std::string> convert(const char* to, const char* from, std::string_view input) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(input);
    // A GBK character takes at most two bytes and its UTF-8 at most three; one
    // input byte never gives more than two output bytes.
    std::string out(2 * in.size() + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

bool available() {
    for (const auto& [to, from] : {std::pair{kGbk, kUtf8}, std::pair{kUtf8, kGbk}}) {
        const iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv_close(cd);
    }
    return true;
}

std::optional<std::string> encode(std::string_view utf8) { return convert(kGbk, kUtf8, utf8); }

std::optional<std::string> decode(std::string_view bytes) { return convert(kUtf8, kGbk, bytes); }

}  // namespace kalvox::system_gbk
