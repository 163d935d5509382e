#include "memory/iconv_conversion.h"

#include <iconv.h>

namespace kalvox {

std::optional<std::string> iconvConversion(const char* to, const char* from,
                                           std::string_view input) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(input);
    // Between GBK and UTF-8 one input byte never gives more than two output
    // bytes; the room is more than enough.
    std::string out(4 * in.size() + 4, '\0');
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

}  // namespace kalvox
